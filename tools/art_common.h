#pragma once
// Small drawing helpers shared by the picture makers: crisp (aliased) shapes
// in exact colours, sheets with a white (transparent) surround, and a
// repeatable pseudo-random sequence so that every run draws the same bytes.
#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPointF>
#include <QRect>
#include <cstdint>

namespace kinopa::art {

// Transparent colour of every sprite sheet.
inline constexpr QRgb kSheetWhite = 0xffffffffu;

// A white sheet (24-bit colour) of the given size.
QImage whiteSheet(int width, int height);

// Turns every smoothing option off: each pixel gets exactly the colour asked for.
void makeCrisp(QPainter& painter);

// Fills `path` with `fill` and traces its edge with a one-pixel `line`
// (no line when `line` is invalid).
void fillShape(QPainter& painter, const QPainterPath& path, QColor fill, QColor line = QColor());
void fillEllipse(QPainter& painter, const QRectF& box, QColor fill, QColor line = QColor());
// A one-pixel polyline or curve in `colour`.
void strokePath(QPainter& painter, const QPainterPath& path, QColor colour, qreal width = 1.0);

// Draws a small 4-pointed sparkle centred at (x, y), `arm` pixels long.
void sparkle(QPainter& painter, int x, int y, int arm, QColor colour);

// Copies `cell` (drawn on white) into `sheet` at `at`.
void placeCell(QImage& sheet, const QImage& cell, QPoint at);

// `cell` mirrored left to right.
QImage mirroredCell(const QImage& cell);

// A small linear congruential generator: the same seed always gives the same
// sequence, whatever the platform.
class Dice {
 public:
  explicit Dice(std::uint32_t seed) : state_(seed) {}
  std::uint32_t next() {
    state_ = state_ * 1664525u + 1013904223u;
    return state_ >> 8;
  }
  // A whole number from 0 to n - 1.
  int below(int n) { return int(next() % std::uint32_t(n)); }

 private:
  std::uint32_t state_;
};

}  // namespace kinopa::art
