#pragma once
// The random number source the rules draw from: uniform on [0, 1).
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

}  // namespace kinopa
