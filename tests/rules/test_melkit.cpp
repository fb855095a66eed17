#include <gtest/gtest.h>

#include <cmath>
#include <ostream>

#include "game_fixture.h"

namespace kinopa {
namespace {

class Melkit : public testing_support::RulesTest {
 protected:
  void place(double x, double y, double vx, int16_t facingRight, double factor) {
    auto& o = g.objects;
    o.melkitX = x;
    o.melkitY = y;
    o.melkitVX = vx;
    o.melkitVY = 0;
    o.melkitFacingRight = facingRight;
    o.melkitSpeedFactor = factor;
  }
};

TEST_F(Melkit, ResetPlacesItOnTheTopEdgeFacingRightAndKeepsTheHover) {
  for (const auto& [r, x] : std::vector<std::pair<double, double>>{{0.0, 0}, {0.5, 149}, {0.9999, 298}}) {
    SequenceRandom one{{r}};
    Game fresh(board, frame, sounds, tick, one);
    fresh.melkitW = 100;
    fresh.melkitHover = kSet;
    fresh.objects.melkitFrame = 7;
    fresh.melkit(kSet, 0.0);
    const auto& o = fresh.objects;
    EXPECT_EQ(o.melkitX, x) << r;
    EXPECT_EQ(o.melkitY, 0);
    EXPECT_EQ(o.melkitVX, 10.0);
    EXPECT_EQ(o.melkitVY, 0.0);
    EXPECT_EQ(o.melkitFacingRight, kSet);
    EXPECT_EQ(o.melkitSpeedFactor, 1.0);
    EXPECT_EQ(o.melkitFrame, 7);  // the next drawn frame sets the cell
    EXPECT_EQ(fresh.melkitHover, kSet);
  }
  EXPECT_TRUE(frame.draws.empty());
}

struct BandCase {
  double x;
  int16_t facingRight;
  double cell, factor;
};
void PrintTo(const BandCase& b, std::ostream* os) {
  *os << "x " << b.x << (b.facingRight ? " right" : " left");
}
class Bands : public Melkit, public testing::WithParamInterface<BandCase> {};

TEST_P(Bands, DistanceFromTheMiddleSetsCellAndSpeed) {
  const BandCase& b = GetParam();
  place(b.x, 100, b.facingRight ? 10 : -10, b.facingRight, 0.5);
  g.melkit(kClear, 0);  // no time: it stays where it is
  EXPECT_EQ(g.objects.melkitFrame, b.cell);
  EXPECT_EQ(g.objects.melkitSpeedFactor, b.factor);
  EXPECT_EQ(frame.last("melkit_draw").c, b.cell);
}
// The middle is c = (399 - 100) / 2 = 149.5; bands at 0.65, 0.75, 0.85, 0.95 c.
INSTANTIATE_TEST_SUITE_P(
    Table, Bands,
    testing::Values(BandCase{149.5, kSet, 0, 1.0}, BandCase{149.5, kClear, 9, 1.0},
                    BandCase{50, kSet, 1, 0.95}, BandCase{260, kClear, 8, 0.95},
                    BandCase{30, kSet, 2, 0.8}, BandCase{30, kClear, 7, 0.8},
                    BandCase{20, kSet, 3, 0.7}, BandCase{5, kSet, 4, 0.6},
                    BandCase{5, kClear, 5, 0.6}, BandCase{298, kClear, 5, 0.6}));

TEST_F(Melkit, AnUpperLimitBelongsToItsBandTheFirstLowerOneToNone) {
  const double c = 149.5;
  const struct { double limit, cell, factor; } table[] = {
      {0.65, 0, 0.5}, {0.75, 1, 0.95}, {0.85, 2, 0.8}, {0.95, 3, 0.7}};  // 0.5 kept
  for (const auto& [limit, cell, factor] : table) {
    const double x = c - limit * c;
    ASSERT_EQ(std::fabs(c - x), limit * c);
    place(x, 100, 10, kSet, 0.5);
    g.objects.melkitFrame = 9;
    g.melkit(kClear, 0);
    EXPECT_EQ(g.objects.melkitFrame, cell) << limit;
    EXPECT_EQ(g.objects.melkitSpeedFactor, factor) << limit;
  }
}

// A hair (1e-6) past a line as 64-bit floats is on it as 32-bit floats, and
// the lines are compared in single precision: no turn at the right wall (299)
// or the floor (429), and on the mid line (214.5) it is pulled up. Exactly on
// the left wall or the top edge, no turn either.
TEST_F(Melkit, AHairPastALineIsStillOnIt) {
  const struct { double x, y, vy, elapsed, vyAfter; } table[] = {
      {299 + 1e-6, 100, 0, 0, 0},
      {149.5, 429 + 1e-6, 1, 0, 1},
      {149.5, 214.5 - 1e-6, 0, 10, -0.012},
      {0, 100, 0, 0, 0},
      {149.5, 0, 1, 0, 1}};
  for (const auto& [x, y, vy, elapsed, vyAfter] : table) {
    place(x, y, 10, kSet, 1);
    g.objects.melkitVY = vy;
    g.melkit(kClear, elapsed);
    EXPECT_EQ(g.objects.melkitVX, 10) << x << "," << y;
    EXPECT_EQ(g.objects.melkitFacingRight, kSet);
    EXPECT_NEAR(g.objects.melkitVY, vyAfter, 1e-12) << x << "," << y;
  }
}

TEST_F(Melkit, TheRightWallTurnsItBackFurtherInThanItWas) {
  place(298.5, 100, 10, kSet, 0.6);
  g.melkit(kClear, 10);  // step 0.12: to 299.22, past 299
  EXPECT_NEAR(g.objects.melkitX, 298.02, 1e-9);
  EXPECT_EQ(g.objects.melkitVX, -10);
  EXPECT_EQ(g.objects.melkitFacingRight, kClear);
  EXPECT_EQ(g.objects.melkitFrame, 5);  // band 4, mirrored
}

TEST_F(Melkit, TheLeftWallTurnsItRight) {
  place(0.3, 100, -10, kClear, 0.6);
  g.melkit(kClear, 10);  // -0.42, then 1.2 back
  EXPECT_NEAR(g.objects.melkitX, 0.78, 1e-9);
  EXPECT_EQ(g.objects.melkitVX, 10);
  EXPECT_EQ(g.objects.melkitFacingRight, kSet);
  EXPECT_EQ(g.objects.melkitFrame, 4);
}

TEST_F(Melkit, ItSwingsBetweenTheTopAndTheFloorLine) {
  place(149.5, 0, 10, kSet, 1);
  double lowest = 0, highestAfterTurning = 1000;
  bool turned = false;
  for (int i = 0; i < 20000; ++i) {
    g.melkit(kClear, 10);
    const double y = g.objects.melkitY;
    ASSERT_GE(y, 0);
    ASSERT_LE(y, 429);
    lowest = std::max(lowest, y);
    if (g.objects.melkitVY < 0) turned = true;
    if (turned) highestAfterTurning = std::min(highestAfterTurning, y);
  }
  EXPECT_GT(lowest, 214.5);  // past the mid line, and back up
  EXPECT_LT(highestAfterTurning, 214.5);
}

struct Pointer {
  int16_t x, y;
  bool over;
};
void PrintTo(const Pointer& p, std::ostream* os) { *os << p.x << "," << p.y; }
class Hover : public Melkit, public testing::WithParamInterface<Pointer> {};

TEST_P(Hover, OnlyTheInnerBoxCountsWithStrictBounds) {
  place(100, 50, 10, kSet, 1);
  g.mouseX = GetParam().x;
  g.mouseY = GetParam().y;
  g.melkitHover = GetParam().over ? kClear : kSet;  // the step must change it
  g.melkit(kClear, 0);
  EXPECT_EQ(g.melkitHover, GetParam().over ? kSet : kClear);
}
// The inner box of a melkit at (100, 50): x 120 to 180, y 58 to 82, open.
INSTANTIATE_TEST_SUITE_P(Box, Hover,
                         testing::Values(Pointer{121, 59, true}, Pointer{179, 81, true},
                                         Pointer{120, 59, false}, Pointer{180, 59, false},
                                         Pointer{121, 58, false}, Pointer{121, 82, false}));

}  // namespace
}  // namespace kinopa
