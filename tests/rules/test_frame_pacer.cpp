// When the main loop's frames are due: a fixed rate that a late frame does
// not slow, started afresh after a stall, and a frame taken early before the
// display's refresh counted from when it was taken.
#include <gtest/gtest.h>

#include "core/frame_pacer.h"

namespace kinopa {
namespace {

using namespace std::chrono_literals;
using Clock = FramePacer::Clock;

TEST(FramePacer, FramesKeepAFixedRateAndStartAfreshAfterAStall) {
  const Clock::time_point t0{1h};
  struct Frame {
    const char* what;
    double began, ended, due;  // ms from t0
  };
  const Frame frames[] = {
      {"the first frame: a period after it", 0, 1, 9},
      {"on time: a period after it was due", 9, 10, 17},
      {"late: the wait for the next is shorter", 19, 20, 25},
      {"taken early: a period after it was taken", 23, 24, 31},
      {"a stall: a period after it", 31, 45, 53},
      {"ending a whole period after it was due: the next is due at once", 53, 61, 61},
  };
  const auto at = [&](double ms) { return t0 + std::chrono::microseconds(static_cast<int>(ms * 1000)); };
  FramePacer pacer;
  for (const Frame& f : frames) EXPECT_EQ(pacer.frameRan(at(f.began), at(f.ended)), at(f.due)) << f.what;
  // The game ended: no frame is due, and the next game's first counts afresh.
  pacer.stop();
  EXPECT_FALSE(pacer.takeEarly(at(100)));
  EXPECT_EQ(pacer.frameRan(at(100), at(101)), at(109));
  // At the display's refresh, a frame due within the page's drawing time is
  // taken early.
  EXPECT_FALSE(pacer.takeEarly(at(105)));
  EXPECT_TRUE(pacer.takeEarly(at(105.5)));
}

}  // namespace
}  // namespace kinopa
