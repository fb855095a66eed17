#pragma once
// Plays replay script commands through a main window whose clock and random
// source are the script's, and describes the game's state after a frame.
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "app/replay_script.h"
#include "app/state_line.h"
#include "game/passes.h"
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
  // While set, every value is 0 and none is used up.
  void blank(bool on) { blank_ = on; }

 private:
  std::deque<double> values_;
  bool blank_ = false;
};

// The state after a frame, read from the window.
StateSnapshot takeSnapshot(DrawW& w);
// The state as a replay's frame shows it, taken right after `game`: the
// highest-score rule that follows a frame in the main loop is applied to the
// copy (the events handled in between never change the score).
StateSnapshot frameSnapshot(DrawW& w);

// Plays a command on the rules: the clock, the start button, the pointer and
// the loop's passes (random values, the highest score and shots are the
// players' own).
void playOnRules(const ReplayCommand& c, Game& g, LoopPasses& passes, ScriptTick& tick);

// Start-up for a script that begins with a `state` line: start-up's own
// preparation of a game draws zeros for its random values (the game's Start
// prepares again all that it set), then the state that outlasts games is put
// in place.
void startUpFromState(const ReplayCommand& c, Game& g, ScriptRandom& random,
                      const std::function<void()>& startUp);

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
  // A script's passes play the music as the window's settings say; the
  // script itself is the window system's turn.
  class MusicOnly : public PassHooks {
   public:
    explicit MusicOnly(DrawW& w) : w_(w) {}
    void music(bool gameRuns) override;

   private:
    DrawW& w_;
  };

  DrawW& w_;
  ScriptTick& tick_;
  ScriptRandom& random_;
  std::function<void()> startUp_;
  MusicOnly hooks_;
  LoopPasses passes_;
  bool started_ = false;
  int frames_ = 0;
};

}  // namespace kinopa
