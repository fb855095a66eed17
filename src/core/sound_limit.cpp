#include "core/sound_limit.h"

#include <cmath>

namespace kinopa {

int16_t limitSample(int32_t sum) {
  if (sum >= -kLimiterKnee && sum <= kLimiterKnee) return static_cast<int16_t>(sum);
  // Past the knee, tanh takes what is left of the range: its slope is 1 at
  // the knee (no corner to hear) and it never reaches 1.
  constexpr double kRoom = 32767.0 - kLimiterKnee;
  const double over = (std::abs(static_cast<double>(sum)) - kLimiterKnee) / kRoom;
  const auto bent = static_cast<int32_t>(kLimiterKnee + std::floor(kRoom * std::tanh(over)));
  return static_cast<int16_t>(sum < 0 ? -bent : bent);
}

}  // namespace kinopa
