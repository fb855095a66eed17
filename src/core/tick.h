#pragma once
// The millisecond tick counter the rules read the time from.
#include <chrono>
#include <cstdint>
#include <optional>

namespace kinopa {

// The millisecond tick counter, read as a signed 32-bit value.
class TickCounter {
 public:
  virtual ~TickCounter() = default;
  virtual int32_t GetTickCount() = 0;
};

// Milliseconds of the steady clock since the counter was made (at program
// start), in 1 ms steps. Counting from the start rather than from boot keeps
// it positive for the first 24.8 days of running; after that it wraps to
// negative values like any 32-bit count.
//
// A counter can be held: it then stands at the reading it had, and once let
// go counts on from there, the time between left out (a page whose tab is
// hidden, which the browser will not run at pace).
class SteadyTickCounter : public TickCounter {
 public:
  SteadyTickCounter();
  int32_t GetTickCount() override;
  void hold(bool held);

 private:
  std::chrono::steady_clock::time_point start_;
  std::optional<std::chrono::steady_clock::time_point> heldAt_;
};

}  // namespace kinopa
