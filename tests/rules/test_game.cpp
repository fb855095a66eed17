#include <gtest/gtest.h>

#include <ostream>

#include "game_fixture.h"
#include "core/errors.h"

namespace kinopa {
namespace {

using GameTest = testing_support::RulesTest;

struct Interval {
  int ms;
  bool draws;
};
void PrintTo(const Interval& i, std::ostream* os) { *os << i.ms << " ms"; }
class FrameInterval : public GameTest, public testing::WithParamInterface<Interval> {};

TEST_P(FrameInterval, ChargesTheTimeAndDrawsOnlyUpToTenMilliseconds) {
  start();
  step(GetParam().ms);
  EXPECT_EQ(g.remainingTime, 30000 - GetParam().ms);
  EXPECT_EQ(g.frameElapsed, GetParam().ms);
  EXPECT_EQ(g.frameTick, tick.now);
  EXPECT_EQ(g.prevTick, tick.now);
  EXPECT_EQ(frame.frames(), GetParam().draws ? 1 : 0);
  if (GetParam().draws) {
    EXPECT_EQ(frame.calls,
              (std::vector<std::string>{"surfinit", "textdraw", "zarup_draw", "melkit_draw",
                                        "DrawRoundedBox", "tovrin_draw", "surfflip"}));
    // The labels show the time charged so far, before the frame's own moves.
    EXPECT_EQ(board.caption(Control::Label6), std::to_string(30000 - GetParam().ms));
  } else {
    EXPECT_EQ(board.caption(Control::Label6), "30000");
  }
  EXPECT_EQ(g.paused, kClear);
}
INSTANTIATE_TEST_SUITE_P(Intervals, FrameInterval,
                         testing::Values(Interval{0, true}, Interval{1, true}, Interval{10, true},
                                         Interval{11, false}, Interval{500, false}));

TEST_F(GameTest, ReachingExactlyZeroEndsTheGame) {
  start();
  g.remainingTime = 10;
  step(10);
  EXPECT_EQ(g.paused, kSet);
  EXPECT_EQ(board.caption(Control::Label6), "0");
  EXPECT_EQ(board.caption(Control::gamestart), "Restart");
  EXPECT_EQ(frame.frames(), 0);
}

TEST_F(GameTest, ALateFrameNeverEndsTheGameTheNextDrawnOneDoes) {
  start();
  g.remainingTime = 5;
  step(40);  // far below zero, but a dropped frame
  EXPECT_EQ(g.remainingTime, -35);
  EXPECT_EQ(g.paused, kClear);
  step(3);
  EXPECT_EQ(g.paused, kSet);
  // Below zero the label still reads "0".
  EXPECT_EQ(board.caption(Control::Label6), "0");
}

TEST_F(GameTest, PauseThenStartBeginsANewGame) {
  start();
  EXPECT_EQ(board.caption(Control::gamestart), "Pause");
  EXPECT_FALSE(board.isEnabled(Control::Command1));
  step(5);
  g.score = 12;
  g.scoreRate = 3;
  g.gamestart_Click();
  EXPECT_EQ(board.caption(Control::gamestart), "Start");
  EXPECT_EQ(g.paused, kSet);
  EXPECT_EQ(g.score, 12);  // stopping keeps the values on show
  g.gamestart_Click();
  EXPECT_EQ(g.paused, kClear);
  EXPECT_EQ(g.score, 0);
  EXPECT_EQ(g.scoreRate, 1);
  EXPECT_EQ(g.remainingTime, 30000);
  EXPECT_EQ(board.caption(Control::Label4), "0");
}

TEST_F(GameTest, PreparationPlacesTheObjectsClearsThePopupsAndReadsTheSettings) {
  g.popupActive = {-1, -1, 0, 0, -1, 0, 5};
  g.popupX.fill(7);
  g.popupY.fill(9);
  g.objects.popupAge = {1, 2, 3, 4, 5, 6, 7};
  g.objects.misclickCount = 2;
  g.objects.tovrinFrame = 3;
  g.zarupCaught = kSet;
  g.melkitHover = kSet;
  const std::size_t drawn = random.drawn();
  g.gameinit();
  EXPECT_EQ(random.drawn(), drawn + 2);  // the zarup's x, then the melkit's
  EXPECT_EQ(g.popupActive, (std::array<int16_t, 7>{}));
  EXPECT_EQ(g.popupX, (std::array<int16_t, 7>{}));
  EXPECT_EQ(g.popupY, (std::array<int16_t, 7>{}));
  // What carries over from game to game.
  EXPECT_EQ(g.objects.popupAge, (std::array<int16_t, 7>{1, 2, 3, 4, 5, 6, 7}));
  EXPECT_EQ(g.objects.misclickCount, 2);
  EXPECT_EQ(g.objects.tovrinFrame, 3);
  EXPECT_EQ(g.zarupCaught, kSet);
  EXPECT_EQ(g.melkitHover, kSet);
  // The settings are read, then the sounds loaded, then the highest score shown.
  EXPECT_EQ(sounds.calls, (std::vector<std::string>{"waveiniread", "loadwavex"}));
  EXPECT_EQ(board.writes.back(), std::make_pair(Control::Label8, std::string("0")));
}

TEST_F(GameTest, PreparationPlacesTheZarupWithTheFirstRandomValueTheMelkitWithTheNext) {
  SequenceRandom two{{0.5, 0.9}};
  Game fresh(board, frame, sounds, tick, two);
  fresh.setFixedNumbers();
  fresh.gameinit();
  EXPECT_EQ(fresh.objects.zarupX, 167);   // floor(0.5 * 335)
  EXPECT_EQ(fresh.objects.melkitX, 269);  // floor(0.9 * 299)
}

TEST_F(GameTest, OnlyAHigherScoreRaisesTheHighestScore) {
  g.highScore = 40;
  board.writes.clear();
  g.score = 40;
  g.raiseHighScore();
  EXPECT_TRUE(board.writes.empty());
  g.score = 41;
  g.raiseHighScore();
  EXPECT_EQ(g.highScore, 41);
  EXPECT_EQ(board.caption(Control::Label8), "41");
  EXPECT_EQ(board.writes.size(), 1u);
}

}  // namespace
}  // namespace kinopa
