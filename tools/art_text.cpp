// The popup sheet: short Japanese words that rise from where a click missed
// the melkit or the zarup fell. Letters are drawn without smoothing and get a
// crisp dark outline so that they read on the sky and on the grass.
#include <QFont>
#include <QFontInfo>
#include <QPainter>
#include <QString>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "art_common.h"
#include "assetgen.h"
#include "bmp_writer.h"

namespace kinopa::art {
namespace {

constexpr int kSheetW = 200;
constexpr int kSheetH = 90;
constexpr int kBiggestLetters = 22;
constexpr int kSmallestLetters = 10;
// A Japanese gothic face; any other would draw different letters or none.
const QString kFontFamily = QStringLiteral("IPAPGothic");

struct Popup {
  QRect copied;  // the area the game copies (left, top, width, height)
  QString words;
  QColor fill;
  QColor outline;
};

// The copied areas keep out of the last column and row of their cells,
// except the second miss, which the game copies 50 pixels wide: its picture
// stays inside 49 columns all the same.
std::vector<Popup> popups() {
  return {
      // a zarup fell: it costs play time and resets the rate
      {QRect(0, 30, 99, 29), QStringLiteral("おちた!"), {255, 132, 36}, {120, 40, 0}},
      {QRect(100, 30, 99, 29), QStringLiteral("時間ダウン"), {84, 156, 255}, {16, 36, 120}},
      {QRect(0, 60, 99, 29), QStringLiteral("率リセット"), {238, 84, 206}, {96, 0, 84}},
      {QRect(100, 60, 99, 29), QStringLiteral("あちゃー"), {255, 88, 96}, {110, 0, 16}},
      // the first, second and third click that missed the melkit
      {QRect(0, 0, 49, 29), QStringLiteral("ミス"), {176, 140, 255}, {52, 28, 120}},
      {QRect(50, 0, 49, 29), QStringLiteral("ミス!"), {255, 176, 40}, {120, 60, 0}},
      {QRect(100, 0, 99, 29), QStringLiteral("率ダウン↓"), {255, 60, 72}, {100, 0, 12}},
  };
}

QFont letterFont(int pixelSize) {
  QFont font(kFontFamily);
  font.setPixelSize(pixelSize);
  font.setBold(true);
  font.setStyleStrategy(QFont::NoAntialias);
  return font;
}

// The words' letter pixels at a given size, cropped to their bounding box.
std::vector<std::vector<bool>> letterMask(const QString& words, int pixelSize) {
  QImage canvas(320, 64, QImage::Format_RGB32);
  canvas.fill(Qt::white);
  const QFont font = letterFont(pixelSize);
  {
    QPainter p(&canvas);
    makeCrisp(p);
    p.setFont(font);
    p.setPen(Qt::black);
    p.drawText(QRect(0, 0, canvas.width(), canvas.height()), Qt::AlignCenter, words);
  }
  int left = canvas.width(), right = -1, top = canvas.height(), bottom = -1;
  for (int y = 0; y < canvas.height(); ++y)
    for (int x = 0; x < canvas.width(); ++x)
      if (qGray(canvas.pixel(x, y)) < 128) {
        left = std::min(left, x), right = std::max(right, x);
        top = std::min(top, y), bottom = std::max(bottom, y);
      }
  if (right < 0) return {};
  std::vector<std::vector<bool>> mask(std::size_t(bottom - top + 1),
                                      std::vector<bool>(std::size_t(right - left + 1)));
  for (int y = top; y <= bottom; ++y)
    for (int x = left; x <= right; ++x)
      mask[std::size_t(y - top)][std::size_t(x - left)] = qGray(canvas.pixel(x, y)) < 128;
  return mask;
}

// Letters with a one-pixel outline all round, centred in the copied area
// with a white pixel of margin.
bool drawPopup(QImage& sheet, const Popup& popup) {
  const int roomW = popup.copied.width() - 4, roomH = popup.copied.height() - 4;
  for (int size = kBiggestLetters; size >= kSmallestLetters; --size) {
    const auto mask = letterMask(popup.words, size);
    if (mask.empty()) return false;
    const int h = int(mask.size()), w = int(mask[0].size());
    if (w > roomW || h > roomH) continue;
    const int x0 = popup.copied.left() + 2 + (roomW - w) / 2;
    const int y0 = popup.copied.top() + 2 + (roomH - h) / 2;
    const auto on = [&](int x, int y) {
      return x >= 0 && y >= 0 && x < w && y < h && mask[std::size_t(y)][std::size_t(x)];
    };
    for (int y = -1; y <= h; ++y) {
      for (int x = -1; x <= w; ++x) {
        bool near = false;
        for (int dy = -1; dy <= 1; ++dy)
          for (int dx = -1; dx <= 1; ++dx) near = near || on(x + dx, y + dy);
        if (on(x, y)) {
          sheet.setPixel(x0 + x, y0 + y, popup.fill.rgb());
        } else if (near) {
          sheet.setPixel(x0 + x, y0 + y, popup.outline.rgb());
        }
      }
    }
    return true;
  }
  return false;
}

}  // namespace
}  // namespace kinopa::art

bool drawTextSheet(const QString& dir) {
  using namespace kinopa::art;
  const QString found = QFontInfo(letterFont(kBiggestLetters)).family();
  if (found != kFontFamily) {
    std::fprintf(stderr, "the font %s is missing (got %s); install fonts-ipafont-gothic\n",
                 qPrintable(kFontFamily), qPrintable(found));
    return false;
  }
  QImage sheet = whiteSheet(kSheetW, kSheetH);
  for (const Popup& popup : popups()) {
    if (!drawPopup(sheet, popup)) {
      std::fprintf(stderr, "cannot fit the popup words %s\n", qPrintable(popup.words));
      return false;
    }
  }
  return writeWhole(dir, "text.bmp", encodeBmp24(sheet));
}
