// The main window's own pictures: the mosaic behind the labels, the play
// field's resting picture, the window icon and the icon in the sizes a
// desktop's menus use.
#include <QPainter>
#include <QPainterPath>

#include "art_common.h"
#include "art_scene.h"
#include "art_tovrin.h"
#include "assetgen.h"
#include "bmp_writer.h"

namespace kinopa::art {
namespace {

constexpr int kMosaicSize = 600;
constexpr int kTile = 12;

// Light greens and pale aquamarines; every tile takes one of these, nudged
// a little lighter or darker.
const QColor kTints[] = {
    {202, 240, 198}, {188, 234, 190}, {214, 246, 208}, {198, 238, 182},
    {192, 240, 226}, {178, 234, 220}, {206, 246, 236}, {172, 228, 214},
};
const QColor kPatch(210, 243, 202);
const QColor kGrout(232, 248, 236);

QColor nudged(QColor c, int delta) {
  return QColor(qBound(0, c.red() + delta, 255), qBound(0, c.green() + delta, 255),
                qBound(0, c.blue() + delta, 255));
}

QImage drawMosaic() {
  QImage mosaic(kMosaicSize, kMosaicSize, QImage::Format_RGB32);
  mosaic.fill(kGrout);
  QPainter p(&mosaic);
  makeCrisp(p);
  p.setPen(Qt::NoPen);
  Dice dice(7321u);
  constexpr int tiles = kMosaicSize / kTile;
  for (int ty = 0; ty < tiles; ++ty) {
    for (int tx = 0; tx < tiles; ++tx) {
      const QColor tint = kTints[dice.below(8)];
      p.setBrush(nudged(tint, dice.below(9) - 4));
      p.drawRect(tx * kTile, ty * kTile, kTile - 1, kTile - 1);
    }
  }
  // Larger plain patches, whole tiles wide, laid over the small squares.
  for (int i = 0; i < 16; ++i) {
    const int w = 3 + dice.below(5), h = 3 + dice.below(5);
    const int tx = dice.below(tiles - w + 1), ty = dice.below(tiles - h + 1);
    p.setBrush(kPatch);
    p.drawRoundedRect(QRect(tx * kTile, ty * kTile, w * kTile - 1, h * kTile - 1), 5, 5);
  }
  return mosaic;
}

}  // namespace
}  // namespace kinopa::art

bool drawWindowArt(const QString& dir) {
  using namespace kinopa::art;
  return writeWhole(dir, "window.jpg", encodeJpeg(drawMosaic(), 88)) &&
         writeWhole(dir, "field.bmp", encodeBmp8(drawMeadow())) &&
         writeWhole(dir, "kinopa.ico", encodeIco8(drawIcon())) &&
         writeWhole(dir, "icon-32.png", encodePng(drawIcon(32))) &&
         writeWhole(dir, "icon-128.png", encodePng(drawIcon(128))) &&
         writeWhole(dir, "icon-256.png", encodePng(drawIcon(256)));
}
