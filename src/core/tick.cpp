#include "core/tick.h"

#include <chrono>

namespace kinopa {

SteadyTickCounter::SteadyTickCounter() : start_(std::chrono::steady_clock::now()) {}

int32_t SteadyTickCounter::GetTickCount() {
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                      std::chrono::steady_clock::now() - start_)
                      .count();
  // Keep the low 32 bits and read them as signed, like a 32-bit tick count.
  return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(ms)));
}

}  // namespace kinopa
