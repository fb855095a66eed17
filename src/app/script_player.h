#pragma once
// Plays replay script commands through a main window whose clock and random
// source are the script's, and describes the game's state after a frame.
#include <QString>
#include <array>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "app/replay_script.h"
#include "game/objects.h"
#include "platform/errors.h"
#include "platform/event_pump.h"
#include "platform/random.h"
#include "platform/tick.h"

namespace kinopa {

class DrawW;

// Events come from the script, not the window system: nothing to wait for.
class NoEvents : public EventPump {
 public:
  void yield(bool) override {}
  void yieldUntilNextFrame() override {}
};

// The tick counter reads whatever the script last said.
class ScriptTick : public TickCounter {
 public:
  int32_t now = 0;
  int32_t GetTickCount() override { return now; }
};

// The script's random values, each used once.
class ScriptRandom : public RandomSource {
 public:
  class UsedUp : public Error {
   public:
    UsedUp() : Error("the random sequence is used up") {}
  };
  void append(const std::vector<double>& values);
  double Rnd() override;

 private:
  std::deque<double> values_;
};

// The state a state line shows, copied after a frame. Taking one allocates
// nothing.
struct StateSnapshot {
  double frameTick = 0, remainingTime = 0;
  int32_t score = 0, scoreRate = 0, highScore = 0;
  int16_t paused = 0, zarupCaught = 0, melkitHover = 0;
  int16_t tovrinX = 0, mouseX = 0, mouseY = 0;
  Objects objects;
  std::array<int16_t, kPopupSlots> popupActive{}, popupX{}, popupY{};
  QString label6, label4, label5, label8, gamestart;
};
StateSnapshot takeSnapshot(DrawW& w);
// The state as a replay's frame shows it, taken right after `game`: the
// highest-score rule that follows a frame in the main loop is applied to the
// copy (the events handled in between never change the score).
StateSnapshot frameSnapshot(DrawW& w);
// "frame N: tick=... labels=..." without its line end.
std::string stateLine(const StateSnapshot& s, int frameNumber);

class ScriptPlayer {
 public:
  // `startUp` runs start-up on the window; the first command other than
  // random and high calls it.
  ScriptPlayer(DrawW& w, ScriptTick& tick, ScriptRandom& random, std::function<void()> startUp);

  // Runs one command; errors of the rules are thrown (overflow, the random
  // sequence used up, ...).
  void run(const ReplayCommand& c);
  bool started() const { return started_; }
  // `frame` commands so far.
  int frames() const { return frames_; }

 private:
  DrawW& w_;
  ScriptTick& tick_;
  ScriptRandom& random_;
  std::function<void()> startUp_;
  bool started_ = false;
  int frames_ = 0;
};

}  // namespace kinopa
