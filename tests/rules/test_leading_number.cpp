// wave.ini's numbers at the edges of a double: what lies beyond one, and what
// only just fits. The browser's build reads them with another C library;
// tests/web/numbers.cpp holds it to this machine's bits.
#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <string>

#include "core/errors.h"
#include "sound/wave_ini_items.h"

namespace kinopa {
namespace {

struct Edge {
  std::string item;
  std::optional<double> value;  // none: an overflow
};

TEST(LeadingNumber, BeyondADoubleHugeIsAnOverflowTinyIsZero) {
  const Edge edges[] = {
      {"2.4", 2.4},
      {"1e400", std::nullopt},
      {"-1e400", std::nullopt},
      {"1.7976931348623159e308", std::nullopt},  // rounds up past the largest double
      {"1e-400", 0.0},
      // Only just representable: kept, though a C library may call it a range error.
      {"4.9406564584124654e-324", std::numeric_limits<double>::denorm_min()},
      // Zero digits before the exponent are 0, not a number too small.
      {"0e999", 0.0},
      // Too small without a negative exponent is out of range as well.
      {"0." + std::string(400, '0') + "1", std::nullopt},
  };
  for (const Edge& e : edges) {
    SCOPED_TRACE(e.item.substr(0, 40));
    if (e.value) {
      EXPECT_EQ(leadingNumber(e.item), *e.value);
    } else {
      EXPECT_THROW(leadingNumber(e.item), OverflowError);
    }
  }
}

}  // namespace
}  // namespace kinopa
