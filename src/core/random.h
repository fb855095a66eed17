#pragma once
// The random number sources the rules draw from: uniform on [0, 1).
#include <array>
#include <cstdint>
#include <random>

namespace kinopa {

// Uniform random values on [0, 1).
class RandomSource {
 public:
  virtual ~RandomSource() = default;
  virtual double Rnd() = 0;
};

// Seeded from the clock, so that every run of the game plays differently.
class ClockSeededRandom : public RandomSource {
 public:
  ClockSeededRandom();
  explicit ClockSeededRandom(uint64_t seed);
  double Rnd() override;

 private:
  std::mt19937_64 engine_;
};

// SplitMix64 (Steele, Lea and Flood): the next value of the sequence that
// `state` stands in, which it advances.
uint64_t splitMix64(uint64_t& state);

// xoshiro256** 1.0 (Blackman and Vigna), its state filled from a 64-bit seed
// by SplitMix64, as its authors advise.
class Xoshiro256StarStar {
 public:
  explicit Xoshiro256StarStar(uint64_t seed);
  // A state as it is, for the published reference values.
  explicit Xoshiro256StarStar(const std::array<uint64_t, 4>& state) : s_(state) {}
  uint64_t next();

 private:
  std::array<uint64_t, 4> s_;
};

// A hall game's random values: xoshiro256** from the hall's seed, each value
// its next output's top 53 bits scaled into [0, 1). Every machine draws the
// same sequence from the same seed, so the hall can tell that a game's luck
// was the seed's and not chosen.
class SeededRandom : public RandomSource {
 public:
  // The generator's name in a hall game's recording.
  static constexpr const char* kGenerator = "xoshiro256**";

  explicit SeededRandom(uint64_t seed) : engine_(seed) {}
  double Rnd() override;

 private:
  Xoshiro256StarStar engine_;
};

}  // namespace kinopa
