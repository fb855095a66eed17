// kinopa_web_icons FOLDER
// The game's icon at the sizes a web app manifest asks for, icon-192.png and
// icon-512.png, and the page's own small one, icon-32.png (a browser fetches
// the tab's icon and the manifest's on its own: one file each, no file
// twice); drawn as the desktop's icons are (tools/art_tovrin.cpp).
#include <QGuiApplication>
#include <cstdio>

#include "art_tovrin.h"
#include "bmp_writer.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
    return 2;
  }
  QGuiApplication app(argc, argv);
  const QString dir = QString::fromLocal8Bit(argv[1]);
  using namespace kinopa::art;
  const bool ok = writeWhole(dir, "icon-32.png", encodePng(drawIcon(32))) &&
                  writeWhole(dir, "icon-192.png", encodePng(drawIcon(192))) &&
                  writeWhole(dir, "icon-512.png", encodePng(drawIcon(512)));
  return ok ? 0 : 1;
}
