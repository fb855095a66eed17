// The rounded box outline: the tovrin's flat box, boxes with height, and
// clipping at the surface's edges.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "core/errors.h"
#include "core/surface.h"
#include "surface_test_util.h"

namespace kinopa {
namespace {

using namespace testing_surface;

int countBlack(const Surface& s) {
  int n = 0;
  for (int32_t i = 0; i < s.width() * s.height(); ++i) n += s.pixels()[i] == kBlack;
  return n;
}

// The tovrin's box: x1 = tovrinX - 42, y1 = y2 = 550, x2 = tovrinX + 42,
// radii 10. It is the row 550 from x1 up to but not including x2.
TEST(RoundedBox, FlatBoxIsOneRowFromX1ToBeforeX2) {
  struct Case {
    int32_t tovrinX;
    int32_t first, last;  // black columns on row 550; first > last: none
  };
  const Case cases[] = {{200, 158, 241}, {42, 0, 83},     {10, 0, 51}, {0, 0, 41},  {380, 338, 399},
                        {358, 316, 399}, {441, 399, 399}, {442, 1, 0}, {-42, 1, 0}, {-41, 0, 0}};
  for (const Case& c : cases) {
    Surface back(400, 600);
    fillWith(back, kWhitePixel);
    back.DrawRoundedBox(c.tovrinX - 42, 550, c.tovrinX + 42, 550, 10, 10);
    for (int32_t x = 0; x < 400; ++x) {
      const bool black = x >= c.first && x <= c.last;
      EXPECT_EQ(back.pixel(x, 550), black ? kBlack : kWhitePixel)
          << "tovrinX " << c.tovrinX << " x " << x;
    }
    EXPECT_EQ(countBlack(back), c.first > c.last ? 0 : c.last - c.first + 1) << c.tovrinX;
  }
}

// Marks everything 4-connected to (x, y) through pixels that are not black.
std::vector<bool> floodFrom(const Surface& s, int32_t x0, int32_t y0) {
  std::vector<bool> seen(static_cast<size_t>(s.width() * s.height()), false);
  std::vector<std::pair<int32_t, int32_t>> todo{{x0, y0}};
  while (!todo.empty()) {
    const auto [x, y] = todo.back();
    todo.pop_back();
    if (x < 0 || y < 0 || x >= s.width() || y >= s.height()) continue;
    const size_t i = static_cast<size_t>(y * s.width() + x);
    if (seen[i] || s.pixel(x, y) == kBlack) continue;
    seen[i] = true;
    todo.insert(todo.end(), {{x + 1, y}, {x - 1, y}, {x, y + 1}, {x, y - 1}});
  }
  return seen;
}

TEST(RoundedBox, BoxWithHeightIsAClosedThinSymmetricOutline) {
  struct Case {
    int32_t x1, y1, x2, y2, rw, rh;
  };
  const Case cases[] = {{10, 20, 40, 50, 10, 10},
                        {5, 5, 60, 25, 30, 8},
                        {8, 8, 20, 50, 40, 40},
                        {7, 9, 17, 12, 10, 10},
                        {30, 40, 10, 20, 6, 6}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.x1 << "," << c.y1 << "," << c.x2 << "," << c.y2);
    Surface s(70, 70);
    fillWith(s, kWhitePixel);
    s.DrawRoundedBox(c.x1, c.y1, c.x2, c.y2, c.rw, c.rh);
    const int32_t l = std::min(c.x1, c.x2), r = std::max(c.x1, c.x2) - 1;
    const int32_t t = std::min(c.y1, c.y2), b = std::max(c.y1, c.y2) - 1;
    for (int32_t y = 0; y < 70; ++y) {
      for (int32_t x = 0; x < 70; ++x) {
        if (s.pixel(x, y) != kBlack) continue;
        EXPECT_TRUE(x >= l && x <= r && y >= t && y <= b) << "outside the box at " << x << "," << y;
        EXPECT_EQ(s.pixel(l + r - x, y), kBlack) << "not mirrored at " << x << "," << y;
        EXPECT_EQ(s.pixel(x, t + b - y), kBlack) << "not mirrored at " << x << "," << y;
        if (x + 1 < 70 && y + 1 < 70) {
          const bool block = s.pixel(x + 1, y) == kBlack && s.pixel(x, y + 1) == kBlack &&
                             s.pixel(x + 1, y + 1) == kBlack;
          EXPECT_FALSE(block) << "pen wider than a pixel at " << x << "," << y;
        }
      }
    }
    // Each side is touched, the corners themselves are cut off.
    EXPECT_EQ(s.pixel((l + r) / 2, t), kBlack);
    EXPECT_EQ(s.pixel((l + r) / 2, b), kBlack);
    EXPECT_EQ(s.pixel(l, (t + b) / 2), kBlack);
    EXPECT_EQ(s.pixel(r, (t + b) / 2), kBlack);
    EXPECT_EQ(s.pixel(l, t), kWhitePixel);
    EXPECT_EQ(s.pixel(r, b), kWhitePixel);
    // Closed: the inside cannot be left without crossing the outline, and no
    // pixel inside was painted.
    const auto inside = floodFrom(s, (l + r) / 2, (t + b) / 2);
    for (int32_t y = 0; y < 70; ++y) {
      for (int32_t x = 0; x < 70; ++x) {
        if (inside[static_cast<size_t>(y * 70 + x)]) {
          ASSERT_TRUE(x > l && x < r && y > t && y < b) << "outline open at " << x << "," << y;
        }
      }
    }
  }
}

// A box hanging over an edge shows exactly the part that the same box shows
// on a larger surface.
TEST(RoundedBox, ClippedBoxMatchesTheUnclippedOne) {
  struct Case {
    int32_t x1, y1, x2, y2, rw, rh;
  };
  const Case cases[] = {{-20, -10, 30, 25, 16, 12},
                        {20, 5, 70, 35, 16, 12},
                        {5, 30, 35, 90, 20, 30},
                        {-30, -30, 70, 70, 40, 40},
                        {-8, 10, 4, 10, 10, 10}};
  constexpr int32_t kOffset = 100;
  for (const Case& c : cases) {
    Surface small(40, 40);
    fillWith(small, kWhitePixel);
    small.DrawRoundedBox(c.x1, c.y1, c.x2, c.y2, c.rw, c.rh);
    Surface large(300, 300);
    fillWith(large, kWhitePixel);
    large.DrawRoundedBox(c.x1 + kOffset, c.y1 + kOffset, c.x2 + kOffset, c.y2 + kOffset, c.rw,
                         c.rh);
    for (int32_t y = 0; y < 40; ++y)
      for (int32_t x = 0; x < 40; ++x)
        ASSERT_EQ(small.pixel(x, y), large.pixel(x + kOffset, y + kOffset))
            << c.x1 << "," << c.y1 << " at " << x << "," << y;
  }
}

TEST(RoundedBox, HugeBoxesAroundTheSurfaceDrawNothingAndReturn) {
  Surface s(50, 50);
  fillWith(s, kWhitePixel);
  s.DrawRoundedBox(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX);
  s.DrawRoundedBox(-1000000, -1000000, 1000000, 1000000, 0, 0);
  EXPECT_EQ(countBlack(s), 0);
  s.DrawRoundedBox(INT32_MIN, 10, INT32_MAX, 10, 10, 10);  // a flat box across the surface
  EXPECT_EQ(countBlack(s), 50);
}

}  // namespace
}  // namespace kinopa
