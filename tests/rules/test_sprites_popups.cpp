#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <ostream>

#include "display/popups.h"
#include "display/sprites.h"
#include "surface_test_util.h"

namespace kinopa {
namespace {

using testing_surface::fillTagged;
using testing_surface::fillWith;
using testing_surface::kWhitePixel;
using testing_surface::tag;

// A 400 x 600 back surface and sheets whose every pixel names its place in
// the sheet, so a copied pixel tells which cell it came from.
class Drawing : public testing::Test {
 protected:
  Drawing() {
    s.backSurface = std::make_shared<Surface>(400, 600);
    s.zarupSurface = sheet(256, 55);
    s.melkitSurface = sheet(500, 80);
    s.tovrinSurface = sheet(336, 60);
    s.textSurface = sheet(200, 90);
    fillWith(*s.backSurface, kWhitePixel);
  }
  static std::shared_ptr<Surface> sheet(int w, int h) {
    auto sheet = std::make_shared<Surface>(w, h);
    fillTagged(*sheet);
    sheet->SetColorKey(DDCKEY_SRCBLT, ColorKey{kWhite, kWhite});
    return sheet;
  }
  uint32_t at(int x, int y) const { return s.backSurface->pixel(x, y); }
  // The size of the block drawn with its top-left corner at (x, y).
  std::pair<int, int> drawnSize(int x, int y) const {
    int w = 0, h = 0;
    while (x + w < 400 && at(x + w, y) != kWhitePixel) ++w;
    while (y + h < 600 && at(x, y + h) != kWhitePixel) ++h;
    return {w, h};
  }
  bool untouched() const {
    for (int y = 0; y < 600; ++y)
      for (int x = 0; x < 400; ++x)
        if (at(x, y) != kWhitePixel) return false;
    return true;
  }

  std::shared_ptr<DirectX7> dx;
  Surfaces s{dx};
};

TEST_F(Drawing, EachSpriteCopiesItsCellLessTheLastColumnAndRow) {
  zarup_draw(s, 10, 20, 2);
  EXPECT_EQ(at(10, 20), tag(128, 0));
  EXPECT_EQ(drawnSize(10, 20), std::make_pair(63, 54));
  melkit_draw(s, 100, 100, 7);  // column 2, row 1
  EXPECT_EQ(at(100, 100), tag(200, 40));
  EXPECT_EQ(at(198, 138), tag(298, 78));
  EXPECT_EQ(drawnSize(100, 100), std::make_pair(99, 39));
  tovrin_draw(s, 200, 3);
  EXPECT_EQ(at(200, 500), tag(252, 0));
  EXPECT_EQ(drawnSize(200, 500), std::make_pair(83, 59));
}

TEST_F(Drawing, PositionsRoundToTheNearestPixelHalvesToEven) {
  zarup_draw(s, 10.5, 11.5, 0);
  EXPECT_EQ(at(10, 12), tag(0, 0));
  EXPECT_EQ(at(10, 11), kWhitePixel);
  melkit_draw(s, 200.49, 300.51, 0);
  EXPECT_EQ(at(200, 301), tag(0, 0));
}

struct Outside {
  const char* sprite;
  double x, y;
};
void PrintTo(const Outside& o, std::ostream* os) { *os << o.sprite << " at " << o.x << "," << o.y; }
class OnePixelOutside : public Drawing, public testing::WithParamInterface<Outside> {};

TEST_P(OnePixelOutside, IsNotDrawnAtAll) {
  const Outside& o = GetParam();
  if (std::string(o.sprite) == "zarup") zarup_draw(s, o.x, o.y, 1);
  if (std::string(o.sprite) == "melkit") melkit_draw(s, o.x, o.y, 1);
  if (std::string(o.sprite) == "tovrin") tovrin_draw(s, o.x, 1);
  EXPECT_TRUE(untouched());
}
INSTANTIATE_TEST_SUITE_P(Edges, OnePixelOutside,
                         testing::Values(Outside{"zarup", -1, 0}, Outside{"zarup", 0, -1},
                                         Outside{"zarup", 338, 0}, Outside{"zarup", 0, 547},
                                         Outside{"zarup", -0.51, 0}, Outside{"melkit", 302, 10},
                                         Outside{"melkit", 10, 562}, Outside{"tovrin", -1, 0},
                                         Outside{"tovrin", 318, 0}));

TEST_F(Drawing, SpritesJustInsideTheEdgesAreDrawn) {
  zarup_draw(s, 337, 546, 0);
  EXPECT_EQ(at(399, 599), tag(62, 53));
  tovrin_draw(s, 317, 0);
  EXPECT_EQ(at(399, 558), tag(82, 58));
}

// The popup table of a game, and a frame counter for textdraw.
class Popups : public Drawing {
 protected:
  void frame() {
    fillWith(*s.backSurface, kWhitePixel);
    textdraw(s, PopupTable{active, x, y, age, rect});
  }
  void startSlot(int i, int16_t px, int16_t py) {
    active[i] = -1;
    x[i] = px;
    y[i] = py;
  }
  std::array<int16_t, 7> active{}, x{}, y{}, age{};
  std::array<Rect, 7> rect{};
};

TEST_F(Popups, APopupRisesOnePixelAFrameUntilItWouldReachTheTop) {
  startSlot(0, 100, 50);
  for (int n = 1; n <= 49; ++n) {
    frame();
    ASSERT_EQ(at(100, 50 - n), tag(0, 30)) << "frame " << n;
    ASSERT_EQ(drawnSize(100, 50 - n), std::make_pair(99, 29));
  }
  frame();  // 50 - 50 = 0: over
  EXPECT_EQ(active[0], 0);
  EXPECT_EQ(age[0], 50);
  EXPECT_TRUE(untouched());
  frame();  // seen not running: the age goes back to 0
  EXPECT_EQ(age[0], 0);
}

TEST_F(Popups, APopupLowDownLives119Frames) {
  startSlot(5, 10, 500);
  int drawn = 0, lastY = 0;
  for (int n = 1; n <= 125 && active[5] == -1; ++n) {
    frame();
    if (!untouched()) {
      ++drawn;
      lastY = 500 - n;
      ASSERT_EQ(at(10, lastY), tag(50, 0));
      ASSERT_EQ(drawnSize(10, lastY), std::make_pair(50, 29));  // slot 5 keeps its last column
    }
  }
  EXPECT_EQ(drawn, 119);
  EXPECT_EQ(lastY, 381);
  EXPECT_EQ(active[5], 0);
}

TEST_F(Popups, ARestartedPopupKeepsItsAge) {
  startSlot(4, 10, 300);
  for (int n = 0; n < 30; ++n) frame();
  startSlot(4, 200, 400);  // started again while running
  frame();
  EXPECT_EQ(age[4], 31);
  EXPECT_EQ(at(200, 400 - 31), tag(0, 0));
  // Ended at 120 and started again before a frame saw it idle: it ends at
  // once, undrawn.
  for (int n = 0; n < 89; ++n) frame();  // ages 32 to 120
  ASSERT_EQ(active[4], 0);
  startSlot(4, 10, 500);
  frame();
  EXPECT_EQ(active[4], 0);
  EXPECT_EQ(age[4], 121);
  EXPECT_TRUE(untouched());
}

TEST_F(Popups, OnlyMinusOneCountsAsRunning) {
  active = {1, 2, -2, 0, 5, 0, 0};
  age = {3, 3, 3, 3, 3, 3, 3};
  y.fill(100);
  frame();
  EXPECT_EQ(age, (std::array<int16_t, 7>{}));
  EXPECT_TRUE(untouched());
  // Every slot shows its own cell of "text.bmp".
  EXPECT_EQ(rect[3], (Rect{100, 60, 199, 89}));
  EXPECT_EQ(rect[5], (Rect{50, 0, 100, 29}));
}

// The sheets' key colour is never copied: the field beneath shows through.
TEST_F(Popups, NoSpriteNorPopupPaintsItsKeyColour) {
  for (Surface* sheet : {s.zarupSurface.get(), s.melkitSurface.get(), s.tovrinSurface.get(),
                         s.textSurface.get()})
    fillWith(*sheet, kWhitePixel);
  fillWith(*s.backSurface, testing_surface::kBlack);
  zarup_draw(s, 10, 20, 0);
  melkit_draw(s, 100, 100, 0);
  tovrin_draw(s, 200, 0);
  startSlot(0, 100, 300);
  textdraw(s, PopupTable{active, x, y, age, rect});
  const auto shown = testing_surface::snapshot(*s.backSurface);
  EXPECT_EQ(std::count(shown.begin(), shown.end(), testing_surface::kBlack), 400 * 600);
}

TEST_F(Popups, APopupReachingOutsideTheSurfaceIsNotDrawnButAges) {
  startSlot(1, 302, 300);  // 99 wide: one pixel too far right
  frame();
  EXPECT_TRUE(untouched());
  EXPECT_EQ(active[1], -1);
  EXPECT_EQ(age[1], 1);
}

}  // namespace
}  // namespace kinopa
