#include "art_scene.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "art_common.h"

namespace kinopa::art {
namespace {

const QColor kSunRim(246, 160, 0);
const QColor kSunFace(190, 92, 10);
const QColor kSunCheek(255, 150, 88);
const QColor kCloud(255, 255, 255);
const QColor kCloudShade(222, 243, 250);
const QColor kGrassDark(0, 164, 24);
const QColor kGrassLight(110, 226, 70);
const QColor kPetalPink(255, 138, 184);
const QColor kPetalWhite(255, 255, 255);
const QColor kPetalViolet(186, 150, 255);

// The sun's centre lies beyond the right edge: only its left side shows.
constexpr double kSunX = 426.0, kSunY = 138.0;
constexpr double kSunRadius = 104.0;
constexpr double kRayInner = 112.0, kRayOuter = 133.0;

void drawSun(QPainter& p) {
  constexpr double pi = std::numbers::pi;
  for (int i = 0; i < 16; ++i) {
    const double a = pi / 2 + i * pi / 8;  // straight up, then anticlockwise
    const double half = 0.075;             // half the ray's angular width at its foot
    QPainterPath ray;
    ray.moveTo(kSunX + kRayInner * std::cos(a - half), kSunY - kRayInner * std::sin(a - half));
    ray.lineTo(kSunX + kRayOuter * std::cos(a), kSunY - kRayOuter * std::sin(a));
    ray.lineTo(kSunX + kRayInner * std::cos(a + half), kSunY - kRayInner * std::sin(a + half));
    ray.closeSubpath();
    fillShape(p, ray, QColor(kSun), kSunRim);
  }
  fillEllipse(p,
              QRectF(kSunX - kSunRadius - 3, kSunY - kSunRadius - 3, 2 * kSunRadius + 6,
                     2 * kSunRadius + 6),
              kSunRim);
  fillEllipse(p, QRectF(kSunX - kSunRadius, kSunY - kSunRadius, 2 * kSunRadius, 2 * kSunRadius),
              QColor(kSun));
  // A sleepy, contented face looking into the meadow.
  QPainterPath eye;
  eye.moveTo(344, 118);
  eye.quadTo(352, 108, 360, 118);
  strokePath(p, eye, kSunFace, 3.0);
  fillEllipse(p, QRectF(334, 136, 20, 12), kSunCheek);
  QPainterPath smile;
  smile.moveTo(356, 150);
  smile.quadTo(366, 164, 380, 154);
  strokePath(p, smile, kSunFace, 3.0);
}

void drawCloud(QPainter& p, int x, int y, int scale) {
  // Puffs over a flat base; a faint blue shade follows the underside.
  const int s = scale;
  QPainterPath cloud;
  cloud.addEllipse(QRectF(x, y + 3 * s, 8 * s, 6 * s));
  cloud.addEllipse(QRectF(x + 4 * s, y, 9 * s, 8 * s));
  cloud.addEllipse(QRectF(x + 10 * s, y + 2 * s, 8 * s, 7 * s));
  cloud.addRoundedRect(QRectF(x + 2 * s, y + 5 * s, 15 * s, 4 * s), 2 * s, 2 * s);
  cloud.setFillRule(Qt::WindingFill);
  cloud = cloud.simplified();
  fillShape(p, cloud, kCloudShade);
  fillShape(p, cloud.intersected(cloud.translated(0, -s - 1)), kCloud);
}

// The grass's top edge: a row of rounded bushy humps of varying width.
class GrassEdge {
 public:
  GrassEdge() {
    Dice dice(90210u);
    int x = -dice.below(20);
    while (x < kSceneWidth) {
      const int width = 38 + dice.below(26);
      const int rise = 8 + dice.below(5);
      humps_.push_back({x, width, rise});
      x += width;
    }
  }
  int top(int x) const {
    for (const Hump& h : humps_) {
      if (x < h.left || x >= h.left + h.width) continue;
      const double t = std::sin(std::numbers::pi * (x - h.left + 0.5) / h.width);
      return std::max(kGrassTopMin + 1,
                      kGrassTopMax - 1 - int(std::lround(h.rise * std::pow(t, 0.6))));
    }
    return kGrassTopMax - 1;
  }

 private:
  struct Hump {
    int left, width, rise;
  };
  std::vector<Hump> humps_;
};

void drawTuft(QPainter& p, int x, int y, QColor colour) {
  p.setPen(Qt::NoPen);
  p.setBrush(colour);
  p.drawRect(x, y - 4, 1, 5);
  p.drawRect(x - 2, y - 2, 1, 3);
  p.drawRect(x + 2, y - 3, 1, 4);
  p.drawRect(x - 1, y, 3, 1);
}

void drawFlower(QPainter& p, int x, int y, QColor petal) {
  p.setPen(Qt::NoPen);
  p.setBrush(kGrassDark);
  p.drawRect(x, y + 2, 1, 4);
  p.setBrush(petal);
  p.drawRect(x - 1, y - 2, 3, 1);
  p.drawRect(x - 2, y - 1, 5, 3);
  p.drawRect(x - 1, y + 2, 3, 1);
  p.setBrush(QColor(kSun));
  p.drawRect(x, y, 1, 1);
}

void drawGrass(QPainter& p) {
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(kGrass));
  const GrassEdge edge;
  for (int x = 0; x < kSceneWidth; ++x) p.drawRect(x, edge.top(x), 1, kSceneHeight - edge.top(x));
  // Tufts and flowers, scattered the same way on every run, kept clear of
  // the wavy edge and of the strip where the catcher stands.
  Dice dice(20240611u);
  for (int i = 0; i < 46; ++i) {
    const int x = 4 + dice.below(kSceneWidth - 8);
    const int y = 532 + dice.below(62);
    if (y > 540 && y < 562) continue;
    drawTuft(p, x, y, i % 3 == 0 ? kGrassLight : kGrassDark);
  }
  const QColor petals[] = {kPetalPink, kPetalWhite, kPetalViolet};
  for (int i = 0; i < 14; ++i) {
    const int x = 10 + dice.below(kSceneWidth - 20);
    const int y = 566 + dice.below(26);
    drawFlower(p, x, y, petals[i % 3]);
  }
}

}  // namespace

QImage drawMeadow() {
  QImage scene(kSceneWidth, kSceneHeight, QImage::Format_RGB32);
  scene.fill(kSky);
  QPainter p(&scene);
  makeCrisp(p);
  drawCloud(p, 26, 58, 5);
  drawCloud(p, 176, 176, 4);
  drawCloud(p, 40, 318, 3);
  drawSun(p);
  drawGrass(p);
  return scene;
}

}  // namespace kinopa::art
