#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>
#include <string>
#include <utility>

#include "core/errors.h"
#include "core/numeric.h"

namespace kinopa {
namespace {

struct Conversion {
  double in;
  int32_t out;
};
void PrintTo(const Conversion& c, std::ostream* os) { *os << c.in << " -> " << c.out; }

class ToI16 : public testing::TestWithParam<Conversion> {};
TEST_P(ToI16, RoundsToNearestTiesToEven) { EXPECT_EQ(toI16(GetParam().in), GetParam().out); }
INSTANTIATE_TEST_SUITE_P(Values, ToI16,
                         testing::Values(Conversion{2.5, 2}, Conversion{3.5, 4}, Conversion{-2.5, -2},
                                         Conversion{-3.5, -4}, Conversion{0.5, 0}, Conversion{1.5, 2},
                                         Conversion{42.5, 42}, Conversion{43.5, 44},
                                         Conversion{2.4999, 2}, Conversion{2.5001, 3},
                                         Conversion{32767.4, 32767}, Conversion{-32768.5, -32768},
                                         Conversion{-0.4, 0}));

TEST(ToI16, OverflowsOutsideItsRange) {
  for (double v : {32767.5, 32768.0, -32768.6, -32769.0, 1e300, -1e300,
                   std::numeric_limits<double>::infinity(), std::nan("")})
    EXPECT_THROW(toI16(v), OverflowError) << v;
}

TEST(ToI32, RoundsAndOverflowsAtItsLimits) {
  EXPECT_EQ(toI32(2147483647.4), 2147483647);
  EXPECT_EQ(toI32(-2147483648.5), -2147483647 - 1);
  EXPECT_EQ(toI32(10.5), 10);
  EXPECT_EQ(toI32(11.5), 12);
  EXPECT_EQ(toI32(32767.5), 32768);
  EXPECT_THROW(toI32(2147483647.5), OverflowError);
  EXPECT_THROW(toI32(-2147483648.6), OverflowError);
}

TEST(CheckedArithmetic, OverflowIsAnErrorNotAWrap) {
  EXPECT_EQ(addI32(2147483646, 1), 2147483647);
  EXPECT_THROW(addI32(2147483647, 1), OverflowError);
  EXPECT_THROW(subI32(-2147483647 - 1, 1), OverflowError);
  EXPECT_EQ(addI16(32766, 1), 32767);
  EXPECT_THROW(addI16(32767, 1), OverflowError);
  EXPECT_THROW(subI16(-32768, 1), OverflowError);
}

TEST(Mod, KeepsTheSignOfTheDividend) {
  EXPECT_EQ(modI32(5, 3), 2);
  EXPECT_EQ(modI32(-5, 3), -2);
  EXPECT_EQ(modI32(3, 2), 1);
  EXPECT_EQ(modI32(-3, 2), -1);
  EXPECT_EQ(modI32(-2147483647 - 1, -1), 0);
  EXPECT_THROW(modI32(1, 0), Error);
}

TEST(SingleComparison, UsesThirtyTwoBitFloats) {
  // 335.00000001 and 335 are the same 32-bit float: not greater.
  EXPECT_FALSE(singleGreater(335.00000001, 335.0));
  EXPECT_TRUE(335.00000001 > 335.0);
  EXPECT_TRUE(singleGreater(335.0001, 335.0));
  EXPECT_FALSE(singleLess(483.99999999, 484.0));
  EXPECT_TRUE(singleLess(483.9, 484.0));
}

TEST(NumberText, PlainDecimals) {
  EXPECT_EQ(numberText(int32_t{0}), "0");
  EXPECT_EQ(numberText(int32_t{-2}), "-2");
  EXPECT_EQ(numberText(int32_t{123456}), "123456");
  EXPECT_EQ(numberText(30000.0), "30000");
  EXPECT_EQ(numberText(-11.0), "-11");
  EXPECT_EQ(numberText(-0.0), "0");
  EXPECT_EQ(numberText(0.5), "0.5");
  EXPECT_EQ(numberText(26700.25), "26700.25");
}

TEST(NumberText, HugeWholeValuesShowEveryDigit) {
  const std::pair<double, const char*> cases[] = {
      {1e15 - 1, "999999999999999"},
      {1e15, "1000000000000000"},
      {1552345576707638.0, "1552345576707638"},
      {9007199254740994.0, "9007199254740994"},  // 2^53 + 2
      {1e20, "100000000000000000000"},
      {1e23, "99999999999999991611392"},  // the double nearest 10^23
      {-1e16, "-10000000000000000"},
      {-0.0, "0"},
  };
  for (const auto& [v, text] : cases) EXPECT_EQ(numberText(v), text) << text;
  const std::string largest = numberText(std::numeric_limits<double>::max());
  EXPECT_EQ(largest.size(), 309u);
  EXPECT_EQ(largest.substr(0, 17), "17976931348623157");
  EXPECT_EQ(numberText(-std::numeric_limits<double>::max()), "-" + largest);
}

}  // namespace
}  // namespace kinopa
