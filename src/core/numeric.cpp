#include "core/numeric.h"

#include <cmath>
#include <cstdio>
#include <limits>

#include "core/errors.h"

namespace kinopa {
namespace {

// Nearest integer, ties to even, checked against [lo, hi].
double roundedInRange(double v, double lo, double hi) {
  if (std::isnan(v)) throw OverflowError();
  const double r = std::nearbyint(v);  // the default rounding mode: ties to even
  if (r < lo || r > hi) throw OverflowError();
  return r;
}

}  // namespace

int16_t toI16(double v) { return static_cast<int16_t>(roundedInRange(v, -32768.0, 32767.0)); }

int32_t toI32(double v) {
  return static_cast<int32_t>(roundedInRange(v, -2147483648.0, 2147483647.0));
}

double floorOf(double v) { return std::floor(v); }

int32_t modI32(int32_t a, int32_t b) {
  if (b == 0) {
    throw Error("Division by zero",
                {QT_TRANSLATE_NOOP("kinopa", "The game met an error it cannot go on from: a "
                                             "number was divided by zero.")});
  }
  if (b == -1) return 0;  // INT32_MIN % -1 would trap
  return a % b;           // C++ keeps the sign of the dividend
}

bool singleGreater(double a, double b) { return static_cast<float>(a) > static_cast<float>(b); }
bool singleLess(double a, double b) { return static_cast<float>(a) < static_cast<float>(b); }

std::string numberText(int32_t v) { return std::to_string(v); }

std::string numberText(double v) {
  if (std::isfinite(v) && v == std::trunc(v)) {
    if (v == 0) return "0";  // negative zero too
    // "%.0f" writes a whole value's exact digits however many there are: up
    // to 309 and the sign for the largest doubles.
    char buf[std::numeric_limits<double>::max_exponent10 + 3];
    std::snprintf(buf, sizeof buf, "%.0f", v);
    return buf;
  }
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.15g", v);
  return buf;
}

}  // namespace kinopa
