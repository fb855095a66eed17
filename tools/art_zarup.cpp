#include <QPainter>
#include <QPainterPath>
#include <QTransform>

#include "art_common.h"
#include "art_critters.h"

namespace kinopa::art {
namespace {

const QColor kLine(168, 52, 92);
const QColor kBody(255, 152, 180);
const QColor kGlow(255, 204, 218);
const QColor kShine(236, 242, 246);
const QColor kWing(214, 236, 252);
const QColor kWingLine(84, 120, 184);
const QColor kEye(52, 26, 40);
const QColor kCheek(255, 104, 140);
const QColor kMouth(150, 30, 64);
const QColor kStem(40, 132, 52);
const QColor kLeaf(112, 212, 80);

// One beat, frame by frame: wing angle, leaf sway, body lift, eyes shut.
struct Pose {
  double wing;
  double leaf;
  int lift;
  bool blink;
};
constexpr Pose kPoses[kZarupFrames] = {
    {-34, -14, 0, false}, {0, 0, 1, false}, {30, 14, 2, false}, {0, 0, 1, true}};

void drawWing(QPainter& p, double hx, double hy, double degrees, bool left) {
  const double dx = left ? -1.0 : 1.0;
  QPainterPath wing;
  wing.moveTo(0, 0);
  wing.cubicTo(dx * 3, -8, dx * 11, -8, dx * 12, -3);
  wing.cubicTo(dx * 13, 1, dx * 9, 4, dx * 6, 3);
  wing.cubicTo(dx * 4, 5, dx * 1, 5, 0, 3);
  wing.closeSubpath();
  QTransform turn;
  turn.translate(hx, hy);
  turn.rotate(left ? degrees : -degrees);
  fillShape(p, turn.map(wing), kWing, kWingLine);
}

void drawSprout(QPainter& p, double x, double y, double sway) {
  QTransform turn;
  turn.translate(x, y);
  turn.rotate(sway);
  QPainterPath stem;
  stem.moveTo(0, 0);
  stem.quadTo(-1, -4, 0, -7);
  strokePath(p, turn.map(stem), kStem, 2.0);
  QPainterPath left, right;
  left.moveTo(0, -6);
  left.quadTo(-6, -13, -11, -9);
  left.quadTo(-6, -4, 0, -6);
  right.moveTo(0, -7);
  right.quadTo(5, -15, 10, -12);
  right.quadTo(6, -6, 0, -7);
  fillShape(p, turn.map(left), kLeaf, kStem);
  fillShape(p, turn.map(right), kLeaf, kStem);
}

void drawFace(QPainter& p, int cy, bool blink) {
  p.setPen(Qt::NoPen);
  if (blink) {
    for (int ex : {24, 37}) {
      QPainterPath shut;
      shut.moveTo(ex - 3, cy - 1);
      shut.quadTo(ex, cy + 2, ex + 3, cy - 1);
      strokePath(p, shut, kEye, 1.5);
    }
  } else {
    for (int ex : {24, 37}) {
      p.setPen(Qt::NoPen);
      p.setBrush(kEye);
      p.drawRoundedRect(QRect(ex - 2, cy - 4, 5, 7), 2, 2);
      p.setBrush(kShine);
      p.drawRect(ex - 1, cy - 3, 2, 2);
    }
  }
  p.setPen(Qt::NoPen);
  p.setBrush(kCheek);
  p.drawRoundedRect(QRect(16, cy + 3, 5, 3), 1, 1);
  p.drawRoundedRect(QRect(41, cy + 3, 5, 3), 1, 1);
  QPainterPath mouth;
  mouth.moveTo(28, cy + 3);
  mouth.quadTo(30.5, cy + 7, 33, cy + 3);
  fillShape(p, mouth, kMouth, kMouth);
}

}  // namespace

QImage drawZarupCell(int frame) {
  const Pose& pose = kPoses[frame];
  QImage cell = whiteSheet(kZarupCellW, kZarupCellH);
  QPainter p(&cell);
  makeCrisp(p);
  const int cy = 33 - pose.lift;  // centre of the round body
  drawWing(p, 14, cy - 2, pose.wing, true);
  drawWing(p, 48, cy - 2, pose.wing, false);
  drawSprout(p, 31, cy - 16, pose.leaf);
  QPainterPath body;
  body.addEllipse(QPointF(31, cy), 18, 17);
  fillShape(p, body, kBody, kLine);
  QPainterPath glow;
  glow.addEllipse(QPointF(24, cy - 9), 7, 4);
  fillShape(p, glow, kGlow);
  p.setPen(Qt::NoPen);
  p.setBrush(kShine);
  p.drawRect(21, cy - 11, 3, 2);
  drawFace(p, cy + 1, pose.blink);
  return cell;
}

}  // namespace kinopa::art
