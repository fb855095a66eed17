#include <gtest/gtest.h>

#include <cmath>
#include <ostream>

#include "game_fixture.h"
#include "core/errors.h"

namespace kinopa {
namespace {

// The rate that makes the step equal to the elapsed time: 90 * 0.01 + 0.1.
constexpr int32_t kUnitStepRate = 90;

class Zarup : public testing_support::RulesTest {
 protected:
  Zarup() : RulesTest({0.6}) {}
  // A zarup standing still sideways at (x, y) with vertical factor vy.
  void place(double x, double y, double vy) {
    g.objects.zarupX = x;
    g.objects.zarupY = y;
    g.objects.zarupVX = 0;
    g.objects.zarupVY = vy;
  }
};

TEST_F(Zarup, ResetPlacesItOnTheTopEdgeWithinTheField) {
  for (const auto& [r, x] : std::vector<std::pair<double, double>>{{0.0, 0}, {0.5, 167}, {0.9999, 334}}) {
    SequenceRandom one{{r}};
    Game fresh(board, frame, sounds, tick, one);
    fresh.zarupW = 64;
    fresh.objects.zarupY = 100;
    fresh.objects.zarupVY = 3;
    fresh.zarup(kSet, 0.0);
    EXPECT_EQ(fresh.objects.zarupX, x) << r;
    EXPECT_EQ(fresh.objects.zarupY, 0);
    EXPECT_EQ(fresh.objects.zarupVX, 1.0);
    EXPECT_EQ(fresh.objects.zarupVY, 0.0);
    EXPECT_EQ(fresh.objects.zarupFrame, 0);
  }
  EXPECT_TRUE(frame.draws.empty());
}

TEST_F(Zarup, AtRateOneTenMillisecondsMoveItOnePointOnePixels) {
  place(100, 100, 0);
  g.objects.zarupVX = 1;
  g.zarup(kClear, 10);
  EXPECT_DOUBLE_EQ(g.objects.zarupX, 101.1);
  EXPECT_DOUBLE_EQ(g.objects.zarupVY, 0.11);
  EXPECT_EQ(frame.last("zarup_draw").x, g.objects.zarupX);
}

// tovrinX - zarupX must stay below 42.67, zarupX - tovrinX below 62.67.
struct Window {
  int16_t tovrinX;
  bool caught;
};
void PrintTo(const Window& w, std::ostream* os) { *os << "tovrin at " << w.tovrinX; }
class CatchWindow : public Zarup, public testing::WithParamInterface<Window> {};

TEST_P(CatchWindow, CrossingTheLineOverTheTovrinCatches) {
  g.scoreRate = kUnitStepRate;
  g.score = 7;
  g.tovrinX = GetParam().tovrinX;
  place(100, 483.9, 0.2);  // its top passes from 483.9 to 484.1
  g.zarup(kClear, 1);
  if (GetParam().caught) {
    EXPECT_EQ(g.score, 7 + kUnitStepRate);
    EXPECT_EQ(g.zarupCaught, kSet);
    EXPECT_NEAR(g.objects.zarupY, 483.9, 1e-9);  // back where it was
    EXPECT_NEAR(g.objects.zarupVY, -0.2 + 0.1, 1e-12);  // upwards, then the pull
    EXPECT_EQ(sounds.calls, (std::vector<std::string>{"restart zarupOk"}));
  } else {
    EXPECT_EQ(g.score, 7);
    EXPECT_EQ(g.zarupCaught, kClear);
    EXPECT_NEAR(g.objects.zarupY, 484.1, 1e-9);
    EXPECT_TRUE(sounds.calls.empty());
  }
}
INSTANTIATE_TEST_SUITE_P(Edges, CatchWindow,
                         testing::Values(Window{142, true}, Window{143, false},
                                         Window{100, true}, Window{38, true},
                                         Window{37, false}));

TEST_F(Zarup, AZarupAlreadyBelowTheLineIsNotCaughtAndFalls) {
  g.scoreRate = kUnitStepRate;
  g.tovrinX = 100;
  place(100, 490, 20);
  g.zarup(kClear, 1);
  EXPECT_EQ(g.zarupCaught, kClear);
  EXPECT_EQ(g.score, 0);
  g.zarup(kClear, 1);
  g.zarup(kClear, 1);  // 530.1, then beyond the bottom
  EXPECT_EQ(g.popupActive[2], kSet);
  EXPECT_EQ(sounds.calls, (std::vector<std::string>{"restart zarupFall"}));
}

struct Fall {
  int32_t rate;
  double vy;  // enough to pass 544 from 543 in one 10 ms step, and to
             // still rise after the pull
  double remaining;
  int32_t rateAfter;
};
void PrintTo(const Fall& f, std::ostream* os) { *os << "rate " << f.rate; }
class FallPenalty : public Zarup, public testing::WithParamInterface<Fall> {};

TEST_P(FallPenalty, CutsTheTimeResetsTheRateAndShowsAPopup) {
  g.scoreRate = GetParam().rate;
  g.remainingTime = 20000;
  place(120.25, 543, GetParam().vy);
  g.zarup(kClear, 10);
  EXPECT_EQ(g.remainingTime, GetParam().remaining);
  EXPECT_EQ(g.scoreRate, GetParam().rateAfter);
  EXPECT_EQ(g.objects.zarupY, 543);  // bounced back up
  EXPECT_LT(g.objects.zarupVY, 0);
  // Slot floor(0.6 * 4) = 2, at the zarup's position in whole pixels.
  EXPECT_EQ(g.popupActive, (std::array<int16_t, 7>{0, 0, kSet, 0, 0, 0, 0}));
  EXPECT_EQ(g.popupX[2], 120);
  EXPECT_EQ(g.popupY[2], 543);
  EXPECT_EQ(sounds.calls, (std::vector<std::string>{"restart zarupFall"}));
}
INSTANTIATE_TEST_SUITE_P(Rates, FallPenalty,
                         testing::Values(Fall{5, 1, 17000, 1}, Fall{1, 2, 17800, 1},
                                         Fall{0, 2, 18000, 0}, Fall{-3, 3, 18600, -3},
                                         Fall{90, 3, 0, 1}, Fall{100, 3, -2000, 1}));

TEST_F(Zarup, TheCatchPoseLastsUntilTheZarupRisesAboveTheClearLine) {
  g.scoreRate = kUnitStepRate;
  g.zarupCaught = kSet;
  place(100, 419, -5);
  g.zarup(kClear, 1);  // 414: on the clear line, not above it
  EXPECT_EQ(g.zarupCaught, kSet);
  place(100, 413.5, 0);
  g.zarup(kClear, 0);
  EXPECT_EQ(g.zarupCaught, kClear);
}

TEST_F(Zarup, WallsAndTopEdgeReflect) {
  g.scoreRate = kUnitStepRate;
  place(334.5, 0.5, -1);
  g.objects.zarupVX = 1;
  g.zarup(kClear, 1);
  EXPECT_EQ(g.objects.zarupX, 334.5);  // 335.5 is past the wall: undone
  EXPECT_EQ(g.objects.zarupVX, -1);
  EXPECT_EQ(g.objects.zarupY, 0.5);  // -0.5 is above the top: undone
  EXPECT_NEAR(g.objects.zarupVY, 1.1, 1e-12);
  place(0.5, 100, 0);
  g.objects.zarupVX = -1;
  g.zarup(kClear, 1);
  EXPECT_EQ(g.objects.zarupX, 0.5);
  EXPECT_EQ(g.objects.zarupVX, 1);
}

// A hair (1e-6) past a line as 64-bit floats is on it as 32-bit floats, and
// the lines are compared in single precision: nothing happens. Nor exactly on
// the left wall or the top edge.
struct Hair {
  const char* line;
  double x, y, vy, elapsed;
  int16_t caught;
};
void PrintTo(const Hair& h, std::ostream* os) { *os << h.line; }
class SinglePrecision : public Zarup, public testing::WithParamInterface<Hair> {};

TEST_P(SinglePrecision, AHairPastALineIsStillOnIt) {
  const Hair& h = GetParam();
  g.scoreRate = kUnitStepRate;
  g.tovrinX = 100;
  g.remainingTime = 20000;
  g.zarupCaught = h.caught;
  place(h.x, h.y, h.vy);
  g.objects.zarupVX = 1;
  g.zarup(kClear, h.elapsed);
  EXPECT_EQ(g.objects.zarupVX, 1);  // no wall
  EXPECT_GE(g.objects.zarupVY, h.vy);  // no bounce
  EXPECT_EQ(g.remainingTime, 20000);  // no fall
  EXPECT_EQ(g.score, 0);  // no catch
  EXPECT_EQ(g.zarupCaught, h.caught);  // no clearing
  EXPECT_TRUE(sounds.calls.empty());
}
// Right wall 335, bottom 544, catch line 484 (from above it, to below it),
// clear line 414.
INSTANTIATE_TEST_SUITE_P(
    Lines, SinglePrecision,
    testing::Values(Hair{"right wall", 335 + 1e-6, 100, 0, 0, kClear},
                    Hair{"bottom", 100, 544 + 1e-6, 0, 0, kClear},
                    Hair{"catch, now below", 100, 483.5, 0.5 + 1e-6, 1, kClear},
                    Hair{"catch, was above", 100, 484 - 1e-6, 0.5, 1, kClear},
                    Hair{"clear line", 100, 414 - 1e-6, 0, 0, kSet},
                    Hair{"left wall", 0, 100, 0, 0, kClear}, Hair{"top", 100, 0, 1, 0, kClear}));

TEST_F(Zarup, TheCellFollowsTheClockAndIsNeverNegative) {
  const std::vector<std::pair<double, double>> table = {
      {0, 0}, {99, 0}, {100, 1}, {250, 2}, {399, 3}, {400, 0}, {1234567, 1},
      {-1, 3}, {-100, 3}, {-101, 2}, {-400, 0}, {-2147483648.0, 3}, {2147483647.0, 0}};
  for (const auto& [t, cell] : table) {
    g.frameTick = t;
    place(100, 100, 0);
    g.zarup(kClear, 0);
    EXPECT_EQ(g.objects.zarupFrame, cell) << "tick " << t;
    EXPECT_EQ(frame.last("zarup_draw").c, cell);
  }
}

TEST_F(Zarup, ScoreLeavingThe32BitRangeIsAnOverflow) {
  g.scoreRate = kUnitStepRate;
  g.score = 2147483647 - 89;
  g.tovrinX = 100;
  place(100, 483.9, 0.2);
  EXPECT_THROW(g.zarup(kClear, 1), OverflowError);
}

}  // namespace
}  // namespace kinopa
