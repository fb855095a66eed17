#pragma once
#include <cstdint>
#include <random>
#include <vector>

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

// A fixed sequence, repeated from the start when it runs out. Values must
// lie in [0, 1).
class SequenceRandom : public RandomSource {
 public:
  explicit SequenceRandom(std::vector<double> values);
  double Rnd() override;
  std::size_t drawn() const { return drawn_; }

 private:
  std::vector<double> values_;
  std::size_t drawn_ = 0;
};

}  // namespace kinopa
