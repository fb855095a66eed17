#include "platform/random.h"

#include <chrono>

#include "platform/errors.h"

namespace kinopa {

ClockSeededRandom::ClockSeededRandom()
    : ClockSeededRandom(static_cast<uint64_t>(
          std::chrono::high_resolution_clock::now().time_since_epoch().count())) {}

ClockSeededRandom::ClockSeededRandom(uint64_t seed) : engine_(seed) {}

double ClockSeededRandom::Rnd() {
  // 53 random bits scaled into [0, 1).
  return static_cast<double>(engine_() >> 11) * 0x1.0p-53;
}

SequenceRandom::SequenceRandom(std::vector<double> values) : values_(std::move(values)) {
  if (values_.empty()) throw Error("SequenceRandom needs at least one value");
  for (double v : values_)
    if (!(v >= 0.0 && v < 1.0)) throw Error("SequenceRandom values must lie in [0, 1)");
}

double SequenceRandom::Rnd() { return values_[drawn_++ % values_.size()]; }

}  // namespace kinopa
