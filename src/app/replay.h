#pragma once
// Plays a replay script through the real main window, with the script in
// place of the main loop, the clock and the random source.
#include <deque>
#include <ostream>
#include <string>
#include <vector>

#include "app/replay_script.h"
#include "platform/errors.h"
#include "platform/random.h"
#include "platform/tick.h"

namespace kinopa {

class DrawW;

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
  void append(const std::vector<double>& values) { values_.insert(values_.end(), values.begin(), values.end()); }
  double Rnd() override;

 private:
  std::deque<double> values_;
};

// The state after a frame, as one line (without its line end).
std::string replayStateLine(DrawW& w, int frameNumber);

// Runs a checked script, printing a state line after each frame to `out`.
// Returns 0 when the script ran through; when the rules raise an error it
// prints "error overflow" or "error random" (others: "error" and the
// description) and returns 1.
int runReplay(const std::vector<ReplayCommand>& script, std::ostream& out);

}  // namespace kinopa
