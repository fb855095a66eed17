// The rounded box outline as the game draws it: the tovrin's flat box,
// clipped at the surface's edges. (The game draws no box with height.)
#include <gtest/gtest.h>

#include <cstdint>

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

}  // namespace
}  // namespace kinopa
