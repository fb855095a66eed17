#pragma once
// A game as start-up leaves it, on recorders: fixed numbers set and the first
// game prepared, with a scripted clock and random sequence.
#include <gtest/gtest.h>

#include "fakes.h"
#include "game/game.h"
#include "sequence_random.h"

namespace kinopa::testing_support {

class RulesTest : public testing::Test {
 protected:
  explicit RulesTest(std::vector<double> randoms = {0.25})
      : random(std::move(randoms)), g(board, frame, sounds, tick, random) {
    g.setFixedNumbers();
    g.paused = kSet;
    g.gameinit();
    sounds.calls.clear();
  }
  void start() {
    g.gamestart_Click();
    g.prevTick = tick.now;  // the loop's outer pass before the first frame
    sounds.calls.clear();
  }
  // One frame step `ms` after the previous one.
  void step(int ms) {
    tick.now += ms;
    g.game();
  }

  RecordingBoard board;
  RecordingFrame frame;
  RecordingSounds sounds;
  ScriptedTick tick;
  SequenceRandom random;
  Game g;
};

}  // namespace kinopa::testing_support
