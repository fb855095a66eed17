// The rounded box outline, drawn the way a Windows RoundRect with a 1-pixel
// black pen and no brush draws it: the box covers the pixels from (x1, y1) up
// to but not including (x2, y2); each corner is a quarter of an ellipse rw
// pixels wide and rh pixels high, shrunk to the box when the box is smaller.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

#include "core/errors.h"
#include "core/surface.h"

namespace kinopa {

namespace {

constexpr uint32_t kPen = 0xff000000u;  // the default pen: black, 1 pixel

int64_t nearest(double v) { return static_cast<int64_t>(std::floor(v + 0.5)); }

}  // namespace

void Surface::plot(int64_t x, int64_t y) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)] = kPen;
}

void Surface::DrawRoundedBox(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t rw,
                             int32_t rh) {
  if (primary_)
    throw PlatformError("DirectDrawSurface7", "DrawRoundedBox", "cannot draw on the screen");
  int64_t left = x1;
  int64_t right = x2;
  int64_t top = y1;
  int64_t bottom = y2;
  if (left > right) std::swap(left, right);
  if (top > bottom) std::swap(top, bottom);
  // Last pixel column and row of the outline; a box of no width or height
  // still takes one.
  right = std::max(left, right - 1);
  bottom = std::max(top, bottom - 1);
  const int64_t boxW = right - left + 1;
  const int64_t boxH = bottom - top + 1;
  const int64_t ew = std::clamp<int64_t>(std::abs(static_cast<int64_t>(rw)), 0, boxW);
  const int64_t eh = std::clamp<int64_t>(std::abs(static_cast<int64_t>(rh)), 0, boxH);

  // Straight sides, between the corners. Only the visible span is walked.
  const int64_t cw = ew > 1 && eh > 1 ? ew / 2 : 0;
  const int64_t ch = ew > 1 && eh > 1 ? eh / 2 : 0;
  const int64_t xFrom = std::max<int64_t>(left + cw, 0);
  const int64_t xTo = std::min<int64_t>(right - cw, width_ - 1);
  for (int64_t x = xFrom; x <= xTo; ++x) {
    plot(x, top);
    plot(x, bottom);
  }
  const int64_t yFrom = std::max<int64_t>(top + ch, 0);
  const int64_t yTo = std::min<int64_t>(bottom - ch, height_ - 1);
  for (int64_t y = yFrom; y <= yTo; ++y) {
    plot(left, y);
    plot(right, y);
  }
  if (cw == 0) return;

  // Corners: the top-left quarter of an ellipse whose pixel centres run over
  // ew columns and eh rows, mirrored to the other three corners. Walking it
  // both by columns and by rows leaves no gap where it is steep or flat.
  const double a = static_cast<double>(ew - 1) / 2.0;
  const double b = static_cast<double>(eh - 1) / 2.0;
  auto corners = [&](int64_t dx, int64_t dy) {
    plot(left + dx, top + dy);
    plot(right - dx, top + dy);
    plot(left + dx, bottom - dy);
    plot(right - dx, bottom - dy);
  };
  // Only the columns (rows) of the corners that can reach the surface are
  // walked: those near the left or the right (top or bottom) side.
  auto walk = [](int64_t last, int64_t near, int64_t far, int64_t size, auto&& step) {
    for (int64_t i = std::max<int64_t>(0, -near); i <= std::min(last, size - 1 - near); ++i)
      step(i);
    for (int64_t i = std::max<int64_t>(0, far - size + 1); i <= std::min(last, far); ++i) step(i);
  };
  walk(static_cast<int64_t>(a), left, right, width_, [&](int64_t i) {
    const double u = (a - static_cast<double>(i)) / a;
    corners(i, nearest(b - b * std::sqrt(std::max(0.0, 1.0 - u * u))));
  });
  walk(static_cast<int64_t>(b), top, bottom, height_, [&](int64_t j) {
    const double v = (b - static_cast<double>(j)) / b;
    corners(nearest(a - a * std::sqrt(std::max(0.0, 1.0 - v * v))), j);
  });
}

}  // namespace kinopa
