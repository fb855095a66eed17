#include "core/random.h"

#include <bit>
#include <chrono>

namespace kinopa {
namespace {

// 53 random bits scaled into [0, 1): every value a double can hold there
// with an exponent of 2^-53 or above, each equally likely.
double unitInterval(uint64_t bits) { return static_cast<double>(bits >> 11) * 0x1.0p-53; }

}  // namespace

ClockSeededRandom::ClockSeededRandom()
    : ClockSeededRandom(static_cast<uint64_t>(
          std::chrono::high_resolution_clock::now().time_since_epoch().count())) {}

ClockSeededRandom::ClockSeededRandom(uint64_t seed) : engine_(seed) {}

double ClockSeededRandom::Rnd() { return unitInterval(engine_()); }

uint64_t splitMix64(uint64_t& state) {
  uint64_t z = (state += 0x9e3779b97f4a7c15u);
  z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9u;
  z = (z ^ (z >> 27)) * 0x94d049bb133111ebu;
  return z ^ (z >> 31);
}

Xoshiro256StarStar::Xoshiro256StarStar(uint64_t seed) {
  for (uint64_t& word : s_) word = splitMix64(seed);
}

uint64_t Xoshiro256StarStar::next() {
  const uint64_t result = std::rotl(s_[1] * 5, 7) * 9;
  const uint64_t t = s_[1] << 17;
  s_[2] ^= s_[0];
  s_[3] ^= s_[1];
  s_[1] ^= s_[2];
  s_[0] ^= s_[3];
  s_[2] ^= t;
  s_[3] = std::rotl(s_[3], 45);
  return result;
}

double SeededRandom::Rnd() { return unitInterval(engine_.next()); }

}  // namespace kinopa
