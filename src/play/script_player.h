#pragma once
// Replay script commands, played: the world a script makes for the rules
// (its clock, its random values, no window events), the commands on the
// rules alone, and on a whole play session, whose state after a frame is
// described for the state line.
#include <cstdint>
#include <deque>
#include <functional>
#include <vector>

#include "core/errors.h"
#include "core/event_pump.h"
#include "core/random.h"
#include "core/tick.h"
#include "game/passes.h"
#include "play/replay_script.h"
#include "play/state_line.h"

namespace kinopa {

class PlaySession;

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

// Commands on the rules: the clock, the random values, the highest score,
// the start button, the pointer and the loop's passes. The first command
// other than `random` and `high` runs start-up first; a `state` line, always
// the first command, runs start-up with zeros for its random values (the
// game's Start prepares again all that start-up set) and then puts the state
// that outlasts games in place.
class ScriptRules {
 public:
  // `startUp` runs the program's start-up; `highBeforeStartUp` takes a
  // `high` that comes before it (for start-up's own reading of the
  // settings); after it, `high` sets the highest score.
  ScriptRules(Game& g, LoopPasses& passes, ScriptTick& tick, ScriptRandom& random,
              std::function<void()> startUp,
              std::function<void(int32_t)> highBeforeStartUp = nullptr);

  // Runs one command; errors of the rules are thrown (overflow, the random
  // sequence used up, ...). `shot` only starts up: the picture is the
  // caller's.
  void run(const ReplayCommand& c);
  bool started() const { return started_; }

 private:
  Game& g_;
  LoopPasses& passes_;
  ScriptTick& tick_;
  ScriptRandom& random_;
  std::function<void()> startUp_;
  std::function<void(int32_t)> highBeforeStartUp_;
  bool started_ = false;
};

// The state after a frame, read from the session.
StateSnapshot takeSnapshot(PlaySession& s);
// The state as a replay's frame shows it, taken right after `game`: the
// highest-score rule that follows a frame in the main loop is applied to the
// copy (the events handled in between never change the score).
StateSnapshot frameSnapshot(PlaySession& s);

// Plays a script on a play session whose clock and random source are the
// script's, through the session's own passes: the script is the window
// system's turn.
class ScriptPlayer {
 public:
  // The first command runs the session's start-up; `shot` writes the play
  // field as last shown to a file (for `shot`; none: the command is
  // refused).
  ScriptPlayer(PlaySession& s, ScriptTick& tick, ScriptRandom& random,
               std::function<void(const std::string& file)> shot = nullptr);

  void run(const ReplayCommand& c);
  // `frame` commands so far.
  int frames() const { return frames_; }

 private:
  ScriptRules rules_;
  std::function<void(const std::string&)> shot_;
  int frames_ = 0;
};

}  // namespace kinopa
