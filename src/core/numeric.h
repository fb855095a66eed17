#pragma once
// The game's exact number rules, kept in one place:
// - a 64-bit float becomes a 16- or 32-bit integer by rounding to the nearest
//   integer, ties to the even neighbour; outside the range it is an overflow;
// - integer additions that leave their range are overflows, never wrap;
// - comparisons "in single precision" convert both sides to 32-bit floats.
#include <cstdint>
#include <string>

#include "core/errors.h"

namespace kinopa {

int16_t toI16(double v);
int32_t toI32(double v);

// Largest integer not above v (as a 64-bit float, like the rules use it).
double floorOf(double v);

// Integer arithmetic in the width of its operands; a true result outside
// that width's range is an OverflowError.
enum class IntOp { add, sub, mul };
template <IntOp op, typename T>
T checked(T a, T b) {
  T r;
  bool overflow;
  if constexpr (op == IntOp::add) overflow = __builtin_add_overflow(a, b, &r);
  else if constexpr (op == IntOp::sub) overflow = __builtin_sub_overflow(a, b, &r);
  else overflow = __builtin_mul_overflow(a, b, &r);
  if (overflow) throw OverflowError();
  return r;
}
// The ones the rules use, by the names of their widths.
inline constexpr auto addI32 = &checked<IntOp::add, int32_t>;
inline constexpr auto subI32 = &checked<IntOp::sub, int32_t>;
inline constexpr auto addI16 = &checked<IntOp::add, int16_t>;
inline constexpr auto subI16 = &checked<IntOp::sub, int16_t>;
inline constexpr auto mulI16 = &checked<IntOp::mul, int16_t>;

// Integer remainder keeping the sign of the dividend (5 mod 3 = 2,
// -5 mod 3 = -2). A zero divisor is an error.
int32_t modI32(int32_t a, int32_t b);

// Comparisons after converting both sides to 32-bit floats.
bool singleGreater(double a, double b);
bool singleLess(double a, double b);

// Label texts: plain decimal digits, a minus sign only when negative.
std::string numberText(int32_t v);
// A 64-bit float: whole values as their exact integer, however large
// ("30000", "1552345576707638"), others with up to 15 significant digits
// ("0.5").
std::string numberText(double v);

}  // namespace kinopa
