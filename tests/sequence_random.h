#pragma once
// A random source for tests and benchmarks: a fixed sequence, repeated from
// the start when it runs out. Values must lie in [0, 1).
#include <cstddef>
#include <utility>
#include <vector>

#include "core/errors.h"
#include "core/random.h"

namespace kinopa {

class SequenceRandom : public RandomSource {
 public:
  explicit SequenceRandom(std::vector<double> values) : values_(std::move(values)) {
    if (values_.empty()) throw Error("SequenceRandom needs at least one value");
    for (double v : values_)
      if (!(v >= 0.0 && v < 1.0)) throw Error("SequenceRandom values must lie in [0, 1)");
  }
  double Rnd() override { return values_[drawn_++ % values_.size()]; }
  std::size_t drawn() const { return drawn_; }

 private:
  std::vector<double> values_;
  std::size_t drawn_ = 0;
};

}  // namespace kinopa
