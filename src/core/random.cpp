#include "core/random.h"

#include <chrono>

namespace kinopa {

ClockSeededRandom::ClockSeededRandom()
    : ClockSeededRandom(static_cast<uint64_t>(
          std::chrono::high_resolution_clock::now().time_since_epoch().count())) {}

ClockSeededRandom::ClockSeededRandom(uint64_t seed) : engine_(seed) {}

double ClockSeededRandom::Rnd() {
  // 53 random bits scaled into [0, 1).
  return static_cast<double>(engine_() >> 11) * 0x1.0p-53;
}

}  // namespace kinopa
