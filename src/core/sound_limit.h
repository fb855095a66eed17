#pragma once
// How the sounds playing at once are summed: each sample of the sum is kept
// in the 16-bit range without clipping. Both sound devices use it: the
// desktop's mixer on each sample, the browser's as the curve of its shaper.
#include <cstdint>

namespace kinopa {

// Up to the knee a sum is heard as it is (the game's own sounds stay below
// it, alone); above it the sum bends smoothly towards full scale, which no
// sum of sounds reaches.
constexpr int32_t kLimiterKnee = 24576;  // three quarters of full scale
int16_t limitSample(int32_t sum);

}  // namespace kinopa
