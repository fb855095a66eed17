#pragma once
// Script commands on the rules alone: the world a script makes for them (its
// clock, its random values, no window events) and the passes it drives.
#include <deque>
#include <functional>
#include <vector>

#include "app/replay_script.h"
#include "game/passes.h"
#include "platform/errors.h"
#include "platform/event_pump.h"
#include "platform/random.h"
#include "platform/tick.h"

namespace kinopa {

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

}  // namespace kinopa
