#pragma once
#include <cstdint>

namespace kinopa {

// The millisecond tick counter. Read as a signed 32-bit value, so after about
// 24.8 days of uptime it jumps from the largest positive value to the most
// negative one, as the rules expect of it.
class TickCounter {
 public:
  virtual ~TickCounter() = default;
  virtual int32_t GetTickCount() = 0;
};

// Milliseconds of the system's steady clock (time since boot), 1 ms steps.
class SteadyTickCounter : public TickCounter {
 public:
  int32_t GetTickCount() override;
};

}  // namespace kinopa
