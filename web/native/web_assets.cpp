// kinopa_web_assets IMAGES_DIR WAVE_DIR ART_DIR
// The site's pictures and sounds: everything the game's own generator makes,
// and the icon at the two sizes a web app manifest asks for.
#include <QDir>
#include <QGuiApplication>
#include <cstdio>

#include "art_tovrin.h"
#include "assetgen.h"
#include "bmp_writer.h"

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s IMAGES_DIR WAVE_DIR ART_DIR\n", argv[0]);
    return 2;
  }
  QGuiApplication app(argc, argv);  // fonts for the popup words
  const QString images = QString::fromLocal8Bit(argv[1]);
  const QString wave = QString::fromLocal8Bit(argv[2]);
  const QString art = QString::fromLocal8Bit(argv[3]);
  for (const QString& dir : {images, wave, art}) {
    if (!QDir().mkpath(dir)) {
      std::fprintf(stderr, "cannot create folder %s\n", qPrintable(dir));
      return 1;
    }
  }
  using kinopa::art::drawIcon;
  using kinopa::art::encodePng;
  using kinopa::art::writeWhole;
  const bool ok = drawWindowArt(art) && drawSpriteSheets(images) && drawTextSheet(images) &&
                  synthesiseSounds(wave) &&
                  writeWhole(art, "icon-192.png", encodePng(drawIcon(192))) &&
                  writeWhole(art, "icon-512.png", encodePng(drawIcon(512)));
  return ok ? 0 : 1;
}
