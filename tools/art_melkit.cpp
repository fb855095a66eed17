#include <QPainter>
#include <QPainterPath>
#include <QTransform>

#include "art_common.h"
#include "art_critters.h"

namespace kinopa::art {
namespace {

const QColor kLine(80, 56, 146);
const QColor kBody(178, 152, 242);
const QColor kBelly(230, 220, 255);
const QColor kFin(146, 118, 226);
const QColor kEye(40, 26, 60);
const QColor kShine(236, 242, 246);
const QColor kCheek(255, 150, 196);
const QColor kSpeed(96, 140, 220);
const QColor kWater(90, 170, 250);
const QColor kWaterLine(40, 96, 190);
const QColor kSweat(120, 200, 255);

// How each distance band looks: full speed in the middle of the field,
// winding down towards a wall.
struct Band {
  double tilt;     // degrees, head down while fast
  double tail;     // degrees the tail is raised
  double fin;      // degrees the flipper is swept back
  int speedLines;  // streaks behind it
  bool puffing;    // slow and out of breath: a spout and a sweat drop
};
constexpr Band kBands[kMelkitBands] = {
    {5, 24, 40, 3, false},   // band 0: the middle of the field
    {3, 14, 28, 2, false},   // band 1
    {1, 4, 14, 1, false},    // band 2
    {-1, -6, 0, 0, false},   // band 3
    {-3, -14, -8, 0, true},  // band 4: next to a wall
};

void drawTail(QPainter& p, double angle) {
  QTransform turn;
  turn.translate(33, 22);
  turn.rotate(-angle);
  QPainterPath tail;
  tail.moveTo(4, -5);
  tail.quadTo(-8, -3, -13, -2);
  tail.quadTo(-19, -11, -23, -9);
  tail.quadTo(-20, -2, -19, 1);
  tail.quadTo(-21, 8, -22, 11);
  tail.quadTo(-16, 10, -12, 3);
  tail.quadTo(-6, 4, 4, 7);
  tail.closeSubpath();
  fillShape(p, turn.map(tail), kBody, kLine);
}

void drawFin(QPainter& p, double sweep) {
  QTransform turn;
  turn.translate(58, 28);
  turn.rotate(sweep);
  QPainterPath fin;
  fin.moveTo(2, 0);
  fin.quadTo(-2, 8, -10, 9);
  fin.quadTo(-6, 3, -6, -1);
  fin.closeSubpath();
  fillShape(p, turn.map(fin), kFin, kLine);
}

// A little spray from the blowhole: a short jet and three drops.
void drawSpout(QPainter& p) {
  p.setPen(Qt::NoPen);
  p.setBrush(kWater);
  p.drawRect(61, 5, 2, 4);
  p.setBrush(kWaterLine);
  p.drawRect(56, 4, 2, 2);
  p.drawRect(61, 2, 2, 2);
  p.drawRect(66, 4, 2, 2);
}

void drawFace(QPainter& p, bool puffing) {
  p.setPen(Qt::NoPen);
  if (puffing) {  // eyes squeezed into > shapes: hard work
    QPainterPath squint;
    squint.moveTo(73, 14);
    squint.lineTo(77, 16);
    squint.lineTo(73, 18);
    strokePath(p, squint, kEye, 1.5);
  } else {
    p.setBrush(kEye);
    p.drawRoundedRect(QRect(74, 13, 4, 6), 2, 2);
    p.setBrush(kShine);
    p.drawRect(75, 14, 2, 2);
  }
  p.setPen(Qt::NoPen);
  p.setBrush(kCheek);
  p.drawRoundedRect(QRect(77, 21, 6, 3), 1, 1);
  QPainterPath mouth;
  if (puffing) {
    mouth.addEllipse(QPointF(86, 22), 1.5, 1.5);
  } else {
    mouth.moveTo(84, 20);
    mouth.quadTo(86, 23, 89, 20);
  }
  strokePath(p, mouth, kEye, 1.2);
}

void drawSpeedLines(QPainter& p, int count) {
  p.setPen(Qt::NoPen);
  p.setBrush(kSpeed);
  const int rows[] = {11, 33, 22};
  const int lengths[] = {9, 7, 5};
  for (int i = 0; i < count; ++i) p.drawRect(2 + (9 - lengths[i]), rows[i], lengths[i], 2);
}

}  // namespace

QImage drawMelkitCell(int band) {
  const Band& look = kBands[band];
  QImage cell = whiteSheet(kMelkitCellW, kMelkitCellH);
  QPainter p(&cell);
  makeCrisp(p);
  drawSpeedLines(p, look.speedLines);
  p.translate(58, 21);
  p.rotate(look.tilt);
  p.translate(-58, -21);
  if (look.puffing) drawSpout(p);
  drawTail(p, look.tail);
  QPainterPath body;
  body.moveTo(30, 20);
  body.cubicTo(34, 6, 62, 5, 80, 8);
  body.cubicTo(95, 11, 95, 30, 84, 33);
  body.cubicTo(68, 37, 42, 36, 30, 26);
  body.closeSubpath();
  fillShape(p, body, kBody, kLine);
  p.save();
  p.setClipPath(body);
  QPainterPath belly;
  belly.moveTo(34, 27);
  belly.cubicTo(50, 26, 76, 27, 94, 22);
  belly.lineTo(94, 40);
  belly.lineTo(34, 40);
  belly.closeSubpath();
  fillShape(p, belly, kBelly);
  p.restore();
  strokePath(p, body, kLine);
  drawFin(p, look.fin);
  drawFace(p, look.puffing);
  p.resetTransform();
  if (look.puffing) {
    QPainterPath drop;
    drop.moveTo(91, 3);
    drop.quadTo(95, 8, 93, 10);
    drop.quadTo(89, 11, 89, 8);
    drop.closeSubpath();
    fillShape(p, drop, kSweat, kWaterLine);
  }
  return cell;
}

}  // namespace kinopa::art
