// The real event pump's frame schedule: frames are due one period apart,
// never early, window events run while it waits, and after a stall the
// schedule starts afresh instead of catching up.
#include <gtest/gtest.h>

#include <QTimer>
#include <chrono>
#include <thread>
#include <vector>

#include "qt/qt_event_pump.h"

namespace kinopa {
namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kPeriod = QtEventPump::kFramePeriod;

TEST(QtEventPump, FramesAreDueOnePeriodApartAndNeverEarly) {
  QtEventPump pump;
  const Clock::time_point start = Clock::now();
  std::vector<Clock::time_point> frames;
  for (int i = 0; i < 12; ++i) {
    pump.yieldUntilNextFrame();
    frames.push_back(Clock::now());
  }
  for (int i = 0; i < 12; ++i) EXPECT_GE(frames[i], start + (i + 1) * kPeriod) << "frame " << i;
}

TEST(QtEventPump, WindowEventsRunWhileItWaitsForTheFrame) {
  QtEventPump pump;
  pump.yieldUntilNextFrame();
  Clock::time_point ran{};
  QTimer::singleShot(2, [&] { ran = Clock::now(); });
  pump.yieldUntilNextFrame();
  const Clock::time_point returned = Clock::now();
  ASSERT_NE(ran, Clock::time_point{}) << "the event did not run during the wait";
  EXPECT_LT(ran, returned);
}

TEST(QtEventPump, AfterAStallTheNextFrameIsOnePeriodAway) {
  QtEventPump pump;
  pump.yieldUntilNextFrame();
  std::this_thread::sleep_for(10 * kPeriod);  // a frame that took far too long
  const Clock::time_point stalled = Clock::now();
  pump.yieldUntilNextFrame();
  EXPECT_GE(Clock::now(), stalled + kPeriod);
}

}  // namespace
}  // namespace kinopa
