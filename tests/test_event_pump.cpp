// The real event pump between frames: window events run while it waits for
// the next frame (when frames are due is the pacer's, tests/rules).
#include <gtest/gtest.h>

#include <QTimer>
#include <chrono>

#include "qt/qt_event_pump.h"

namespace kinopa {
namespace {

using Clock = std::chrono::steady_clock;

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

}  // namespace
}  // namespace kinopa
