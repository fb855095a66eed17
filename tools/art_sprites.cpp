// The play background and the three sprite sheets. Every sheet is drawn on
// white, the transparent colour, and each drawing stays clear of its cell's
// last column and row, which are never copied.
#include "art_common.h"
#include "art_critters.h"
#include "art_scene.h"
#include "art_tovrin.h"
#include "assetgen.h"
#include "bmp_writer.h"

namespace kinopa::art {
namespace {

QImage zarupSheet() {
  QImage sheet = whiteSheet(kZarupFrames * kZarupCellW, kZarupCellH);
  for (int c = 0; c < kZarupFrames; ++c) placeCell(sheet, drawZarupCell(c), {c * kZarupCellW, 0});
  return sheet;
}

// Row 0: cells 0-4 swimming right, middle band to outer band. Row 1: cells
// 5-9 swimming left, the same bands in reverse order (cell 9 - k mirrors k).
QImage melkitSheet() {
  QImage sheet = whiteSheet(kMelkitBands * kMelkitCellW, 2 * kMelkitCellH);
  for (int band = 0; band < kMelkitBands; ++band) {
    const QImage right = drawMelkitCell(band);
    placeCell(sheet, right, {band * kMelkitCellW, 0});
    const int left = 2 * kMelkitBands - 1 - band;
    placeCell(sheet, mirroredCell(right),
              {(left % kMelkitBands) * kMelkitCellW, (left / kMelkitBands) * kMelkitCellH});
  }
  return sheet;
}

// Cells: 0 facing left, 1 facing left catching, 2 facing right, 3 facing
// right catching.
QImage tovrinSheet() {
  QImage sheet = whiteSheet(4 * kTovrinCellW, kTovrinCellH);
  for (int c = 0; c < 4; ++c)
    placeCell(sheet, drawTovrinCell(c >= 2, c % 2 == 1), {c * kTovrinCellW, 0});
  return sheet;
}

}  // namespace
}  // namespace kinopa::art

bool drawSpriteSheets(const QString& dir) {
  using namespace kinopa::art;
  return writeWhole(dir, "back.bmp", encodeBmp24(drawMeadow())) &&
         writeWhole(dir, "zarup.bmp", encodeBmp24(zarupSheet())) &&
         writeWhole(dir, "melkit.bmp", encodeBmp24(melkitSheet())) &&
         writeWhole(dir, "tovrin.bmp", encodeBmp24(tovrinSheet()));
}
