// kinopa_assetgen IMAGES_DIR WAVE_DIR WINDOW_ART_DIR
#include <QDir>
#include <QGuiApplication>
#include <cstdio>

#include "assetgen.h"

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s IMAGES_DIR WAVE_DIR WINDOW_ART_DIR\n", argv[0]);
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
  const bool ok = drawWindowArt(art) && drawSpriteSheets(images) && drawTextSheet(images) &&
                  synthesiseSounds(wave);
  return ok ? 0 : 1;
}
