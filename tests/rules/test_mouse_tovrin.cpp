#include <gtest/gtest.h>

#include <ostream>

#include "game_fixture.h"
#include "core/errors.h"

namespace kinopa {
namespace {

using Mouse = testing_support::RulesTest;

struct Clamp {
  float x;
  int16_t tovrinX;
};
void PrintTo(const Clamp& c, std::ostream* os) { *os << "x " << c.x; }
class TovrinClamp : public Mouse, public testing::WithParamInterface<Clamp> {};

TEST_P(TovrinClamp, ThePointerStandsAtTheTovrinsMiddleWithinTheField) {
  g.Picture1_MouseMove(0, 0, GetParam().x, 42.5f);
  EXPECT_EQ(g.tovrinX, GetParam().tovrinX);
  EXPECT_EQ(g.mouseY, 42);  // rounded, halves to even, never clamped
}
INSTANTIATE_TEST_SUITE_P(Table, TovrinClamp,
                         testing::Values(Clamp{0, 0}, Clamp{-50, 0}, Clamp{41, 0}, Clamp{42.5f, 0},
                                         Clamp{43.5f, 2}, Clamp{200, 158}, Clamp{356, 314},
                                         Clamp{357, 315}, Clamp{398, 315}, Clamp{5000, 315}));

TEST_F(Mouse, ThePointerIsKeptUnclampedAndMovesInEveryState) {
  ASSERT_EQ(g.paused, kSet);
  g.Picture1_MouseMove(1, 4, -20.5f, 700.5f);
  EXPECT_EQ(g.mouseX, -20);
  EXPECT_EQ(g.mouseY, 700);
  EXPECT_EQ(g.tovrinX, 0);
  EXPECT_THROW(g.Picture1_MouseMove(0, 0, 40000, 0), OverflowError);
}

TEST_F(Mouse, AClickWhileNoGameRunsChangesNothing) {
  g.melkitHover = kSet;
  g.Picture1_MouseUp(1, 0, 10, 10);
  g.melkitHover = kClear;
  g.Picture1_MouseUp(2, 0, 10, 10);
  EXPECT_EQ(g.scoreRate, 1);
  EXPECT_EQ(g.objects.misclickCount, 0);
  EXPECT_EQ(g.popupActive, (std::array<int16_t, 7>{}));
  EXPECT_TRUE(sounds.calls.empty());
}

TEST_F(Mouse, AnyButtonOverTheMelkitRaisesTheRate) {
  start();
  g.melkitHover = kSet;
  g.Picture1_MouseUp(1, 0, 10, 10);
  g.Picture1_MouseUp(2, 1, 10, 10);
  g.Picture1_MouseUp(4, 7, 10, 10);
  EXPECT_EQ(g.scoreRate, 4);
  EXPECT_EQ(g.objects.misclickCount, 0);
  EXPECT_EQ(sounds.calls, std::vector<std::string>(3, "restart melkitOk"));
}

TEST_F(Mouse, EveryThirdMissLowersTheRateCountedAcrossHitsAndGames) {
  start();
  const auto miss = [&](float x, float y) {
    g.melkitHover = kClear;
    g.Picture1_MouseUp(1, 0, x, y);
  };
  miss(10.5f, 20);
  g.melkitHover = kSet;
  g.Picture1_MouseUp(1, 0, 0, 0);  // a hit: rate 2, the count goes on
  miss(11.5f, 30);
  EXPECT_EQ(g.scoreRate, 2);
  EXPECT_EQ(g.objects.misclickCount, 2);
  g.gamestart_Click();  // Pause, then a new game
  start();
  miss(-5, 600);
  EXPECT_EQ(g.scoreRate, 0);  // the new game's 1, less one
  EXPECT_EQ(g.objects.misclickCount, 0);
  // Slots 4, 5, 6 at the release points (the new game cleared the first two).
  EXPECT_EQ(g.popupActive, (std::array<int16_t, 7>{0, 0, 0, 0, 0, 0, kSet}));
  EXPECT_EQ(g.popupX[6], -5);
  EXPECT_EQ(g.popupY[6], 600);
  EXPECT_EQ(sounds.calls.back(), "restart melkitMiss");
}

struct Pose {
  int16_t prevX, x;
  int16_t caught;
  int16_t frameBefore;
  int16_t drawn, after;
};
void PrintTo(const Pose& p, std::ostream* os) {
  *os << p.prevX << "->" << p.x << (p.caught ? " caught" : "") << " from " << p.frameBefore;
}
class TovrinPose : public Mouse, public testing::WithParamInterface<Pose> {};

TEST_P(TovrinPose, TurnsWithTheMouseAndThrowsItsWingsUpAfterACatch) {
  const Pose& p = GetParam();
  g.objects.tovrinPrevX = p.prevX;
  g.tovrinX = p.x;
  g.zarupCaught = p.caught;
  g.objects.tovrinFrame = p.frameBefore;
  g.Tovrin();
  EXPECT_EQ(frame.last("tovrin_draw").c, p.drawn);
  EXPECT_EQ(frame.last("tovrin_draw").x, p.x);
  EXPECT_EQ(g.objects.tovrinFrame, p.after);
  EXPECT_EQ(g.objects.tovrinPrevX, p.x);
}
INSTANTIATE_TEST_SUITE_P(
    Table, TovrinPose,
    testing::Values(Pose{0, 0, kClear, 0, 0, 0}, Pose{10, 10, kClear, 2, 2, 2},
                    Pose{10, 20, kClear, 0, 2, 2}, Pose{20, 10, kClear, 2, 0, 0},
                    Pose{10, 20, kSet, 0, 3, 2}, Pose{20, 10, kSet, 2, 1, 0},
                    Pose{10, 10, kSet, 2, 3, 2}));

TEST_F(Mouse, TheTovrinsLineIsCentredOnItsLeftEdge) {
  for (const auto& [x, x1, x2] : std::vector<std::tuple<int16_t, double, double>>{
           {0, -42, 42}, {315, 273, 357}}) {
    g.tovrinX = x;
    g.Tovrin();
    const auto line = frame.last("DrawRoundedBox");
    EXPECT_EQ(line.x, x1);
    EXPECT_EQ(line.y, 550);
    EXPECT_EQ(line.c, x2);
  }
  // The line is drawn before the sprite, so it lies beneath it.
  EXPECT_EQ(frame.calls, (std::vector<std::string>{"DrawRoundedBox", "tovrin_draw",
                                                   "DrawRoundedBox", "tovrin_draw"}));
}

}  // namespace
}  // namespace kinopa
