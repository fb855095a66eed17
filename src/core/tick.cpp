#include "core/tick.h"

#include <chrono>

namespace kinopa {

SteadyTickCounter::SteadyTickCounter() : start_(std::chrono::steady_clock::now()) {}

void SteadyTickCounter::hold(bool held) {
  const auto now = std::chrono::steady_clock::now();
  if (held && !heldAt_) heldAt_ = now;
  if (!held && heldAt_) {
    start_ += now - *heldAt_;
    heldAt_.reset();
  }
}

int32_t SteadyTickCounter::GetTickCount() {
  const auto now = heldAt_ ? *heldAt_ : std::chrono::steady_clock::now();
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now - start_)
                      .count();
  // Keep the low 32 bits and read them as signed, like a 32-bit tick count.
  return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(ms)));
}

}  // namespace kinopa
