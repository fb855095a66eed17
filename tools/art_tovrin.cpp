#include "art_tovrin.h"

#include <QPainter>
#include <QPainterPath>
#include <QTransform>

#include "art_common.h"

namespace kinopa::art {
namespace {

const QColor kLine(150, 96, 36);
const QColor kBody(255, 236, 150);
const QColor kBelly(255, 246, 198);
const QColor kWing(252, 200, 40);
const QColor kCrest(234, 42, 52);
const QColor kCrestLine(146, 18, 32);
const QColor kBeak(255, 146, 24);
const QColor kBeakLine(176, 82, 0);
const QColor kMouth(196, 44, 60);
const QColor kEye(44, 30, 30);
const QColor kShine(236, 242, 246);
const QColor kCheek(255, 160, 168);
const QColor kJoy(255, 176, 0);

QPainterPath ellipse(double cx, double cy, double rx, double ry) {
  QPainterPath path;
  path.addEllipse(QPointF(cx, cy), rx, ry);
  return path;
}

void drawCrest(QPainter& p) {
  fillShape(p, ellipse(31, 12, 4, 7), kCrest, kCrestLine);
  fillShape(p, ellipse(46, 13, 4, 6), kCrest, kCrestLine);
  fillShape(p, ellipse(38.5, 10, 4.5, 9), kCrest, kCrestLine);
}

// A wing hinged at (hx, hy), turned by `degrees` (0: hanging at the side).
void drawWing(QPainter& p, double hx, double hy, double degrees, bool left) {
  QTransform turn;
  turn.translate(hx, hy);
  turn.rotate(degrees);
  QPainterPath wing;
  const double dx = left ? -1.0 : 1.0;
  wing.moveTo(0, -5);
  wing.quadTo(dx * 13, -3, dx * 9, 9);
  wing.quadTo(dx * 4, 6, dx * 5, 10);
  wing.quadTo(0, 6, 0, 5);
  wing.closeSubpath();
  fillShape(p, turn.map(wing), kWing, kLine);
}

// A wing flung up in joy, feather tips pointing up and out; the right one
// is the left one mirrored about the body's middle.
void drawRaisedWing(QPainter& p, bool left) {
  QPainterPath wing;
  wing.moveTo(21, 34);
  wing.quadTo(9, 33, 5, 17);
  wing.lineTo(9, 20);
  wing.lineTo(9, 14);
  wing.lineTo(13, 19);
  wing.lineTo(14, 14);
  wing.lineTo(17, 21);
  wing.quadTo(19, 26, 23, 27);
  wing.closeSubpath();
  QTransform flip;
  if (!left) flip = QTransform(-1, 0, 0, 1, 82, 0);
  fillShape(p, flip.map(wing), kWing, kLine);
}

void drawFeet(QPainter& p) {
  p.setPen(Qt::NoPen);
  for (int fx : {32, 48}) {
    p.setBrush(kBeakLine);
    p.drawRect(fx - 4, 55, 9, 2);
    p.setBrush(kBeak);
    p.drawRect(fx - 3, 55, 7, 1);
    p.drawRect(fx - 1, 53, 3, 2);
  }
}

void drawFace(QPainter& p, bool catching) {
  if (catching) {
    for (int ex : {45, 59}) {
      QPainterPath arc;
      arc.moveTo(ex - 3, 29);
      arc.lineTo(ex, 26);
      arc.lineTo(ex + 3, 29);
      strokePath(p, arc, kEye, 1.6);
    }
  } else {
    for (int ex : {45, 59}) {
      p.setPen(Qt::NoPen);
      p.setBrush(kEye);
      p.drawRoundedRect(QRect(ex - 2, 25, 5, 7), 2, 2);
      p.setBrush(kShine);
      p.drawRect(ex - 1, 26, 2, 2);
    }
  }
  p.setPen(Qt::NoPen);
  p.setBrush(kCheek);
  p.drawRoundedRect(QRect(37, 34, 6, 3), 1, 1);
  p.drawRoundedRect(QRect(62, 34, 6, 3), 1, 1);
  if (catching) {  // beak wide open
    QPainterPath beak, mouth;
    beak.moveTo(48, 30);
    beak.lineTo(62, 35.5);
    beak.lineTo(48, 41);
    beak.closeSubpath();
    mouth.moveTo(49, 33);
    mouth.lineTo(59, 35.5);
    mouth.lineTo(49, 38);
    mouth.closeSubpath();
    fillShape(p, beak, kBeak, kBeakLine);
    fillShape(p, mouth, kMouth);
  } else {
    QPainterPath beak;
    beak.moveTo(49, 32);
    beak.lineTo(60, 35);
    beak.lineTo(49, 38);
    beak.closeSubpath();
    fillShape(p, beak, kBeak, kBeakLine);
  }
}

}  // namespace

QImage drawTovrinCell(bool facingRight, bool catching) {
  QImage cell = whiteSheet(kTovrinCellW, kTovrinCellH);
  QPainter p(&cell);
  makeCrisp(p);
  drawCrest(p);
  if (catching) {
    drawRaisedWing(p, true);
    drawRaisedWing(p, false);
  } else {
    drawWing(p, 18, 36, -8, true);
    drawWing(p, 64, 36, 8, false);
  }
  drawFeet(p);
  fillShape(p, ellipse(41, 35, 24, 20), kBody, kLine);
  fillShape(p, ellipse(43, 45, 14, 8), kBelly);
  drawFace(p, catching);
  if (catching) {
    sparkle(p, 8, 6, 3, kJoy);
    sparkle(p, 75, 6, 2, kJoy);
    sparkle(p, 22, 8, 1, kJoy);
  }
  p.end();
  return facingRight ? cell : mirroredCell(cell);
}

QImage drawIcon(int size) {
  QImage icon(size, size, QImage::Format_ARGB32);
  icon.fill(Qt::transparent);
  QPainter p(&icon);
  if (size == kIconSize) {
    makeCrisp(p);  // hard pixel edges at the window icon's own size
  } else {
    // The same drawing on a finer grid, its edges smoothed.
    p.setRenderHint(QPainter::Antialiasing, true);
    p.scale(double(size) / kIconSize, double(size) / kIconSize);
  }
  fillShape(p, ellipse(13, 6, 2.5, 4.5), kCrest, kCrestLine);
  fillShape(p, ellipse(19, 6, 2.5, 4.5), kCrest, kCrestLine);
  fillShape(p, ellipse(16, 5, 3, 5.5), kCrest, kCrestLine);
  fillShape(p, ellipse(4.5, 20, 3.5, 4.5), kWing, kLine);
  fillShape(p, ellipse(27.5, 20, 3.5, 4.5), kWing, kLine);
  fillShape(p, ellipse(16, 19.5, 11, 10.5), kBody, kLine);
  p.setPen(Qt::NoPen);
  p.setBrush(kEye);
  p.drawRect(11, 16, 2, 4);
  p.drawRect(19, 16, 2, 4);
  p.setBrush(kShine);
  p.drawRect(11, 16, 1, 1);
  p.drawRect(19, 16, 1, 1);
  p.setBrush(kCheek);
  p.drawRect(8, 21, 3, 2);
  p.drawRect(21, 21, 3, 2);
  QPainterPath beak;
  beak.moveTo(13.5, 21);
  beak.lineTo(18.5, 21);
  beak.lineTo(16, 25);
  beak.closeSubpath();
  fillShape(p, beak, kBeak, kBeakLine);
  return icon;
}

}  // namespace kinopa::art
