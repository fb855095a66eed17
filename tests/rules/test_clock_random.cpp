#include <gtest/gtest.h>

#include <chrono>
#include <set>
#include <thread>

#include "core/random.h"
#include "core/tick.h"

namespace kinopa {
namespace {

TEST(TickCounter, CountsMillisecondsOfTheSteadyClock) {
  SteadyTickCounter tick;
  const auto t0 = std::chrono::steady_clock::now();
  const int32_t a = tick.GetTickCount();
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  const int32_t b = tick.GetTickCount();
  const auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(
                          std::chrono::steady_clock::now() - t0)
                          .count();
  // Read as signed 32-bit, the difference still counts right across a wrap.
  const int32_t diff = static_cast<int32_t>(static_cast<uint32_t>(b) - static_cast<uint32_t>(a));
  EXPECT_GE(diff, 29);
  EXPECT_LE(diff, waited + 1);
}

TEST(TickCounter, AdvancesInSingleMilliseconds) {
  // Fine enough that a 10 ms frame limit means something: polling sees
  // steps of 1 ms (a step of more only when this thread was held up).
  SteadyTickCounter tick;
  int ones = 0;
  int32_t last = tick.GetTickCount();
  for (int changes = 0; changes < 20;) {
    const int32_t now = tick.GetTickCount();
    if (now != last) {
      ones += (now - last) == 1;
      ++changes;
      last = now;
    }
  }
  EXPECT_GE(ones, 10);
}

TEST(Random, ClockSeededValuesLieInTheUnitIntervalAndDifferBetweenRuns) {
  ClockSeededRandom first;
  std::this_thread::sleep_for(std::chrono::microseconds(10));
  ClockSeededRandom second;
  std::set<double> seen;
  bool differ = false;
  for (int i = 0; i < 1000; ++i) {
    const double a = first.Rnd();
    const double b = second.Rnd();
    EXPECT_GE(a, 0.0);
    EXPECT_LT(a, 1.0);
    differ |= a != b;
    seen.insert(a);
  }
  EXPECT_TRUE(differ);
  EXPECT_GT(seen.size(), 990u);
}

}  // namespace
}  // namespace kinopa
