// The page's clock: how WebSession turns animation frames into the loop's
// passes. The rules themselves are tested in tests/.
#include <gtest/gtest.h>

#include <limits>

#include "platform/errors.h"
#include "web/web_session.h"

namespace kinopa::web {
namespace {

struct Step {
  double pageMs;
  int framesShown;       // frames the rules have drawn so far
  double remainingTime;  // the game's time left after it
};

TEST(WebSessionClock, animationFramesBecomePassesAtMostTenMillisecondsApart) {
  WebSession session({0.5});
  session.animationFrame(1000.7);  // the first frame takes the clock
  session.pressStart();
  const Step steps[] = {
      {1016.7, 2, 29984},  // passes at 1010 and 1016: both drawn
      {1033.4, 4, 29967},  // 1026 and 1033
      {1033.9, 4, 29967},  // the same millisecond: no pass
      {1283.0, 29, 29717},   // 250 ms: caught up in 25 drawn passes
      {1534.0, 29, 29466},   // 251 ms, a stall: one pass charges it, drawing nothing
      {1554.0, 31, 29446},   // and the frames go on from there
      {1200.0, 31, 29446},   // a time before the clock runs nothing
  };
  for (const Step& s : steps) {
    session.animationFrame(s.pageMs);
    EXPECT_EQ(session.framesShown(), s.framesShown) << "at " << s.pageMs;
    EXPECT_EQ(session.game().remainingTime, s.remainingTime) << "at " << s.pageMs;
  }
}

TEST(WebSessionClock, pageTimesOutsideTheClocksRangeAreErrors) {
  for (double pageMs : {-1.0, 2147483648.0, std::numeric_limits<double>::quiet_NaN()}) {
    WebSession session({0.5});
    EXPECT_THROW(session.animationFrame(pageMs), Error) << pageMs;
  }
}

TEST(WebSessionClock, theFixedRunIsTheSameRunEachTime) {
  // The page and the native check each make it; state kept between runs
  // (a static somewhere) would part them.
  EXPECT_EQ(fixedRun(60), fixedRun(60));
}

}  // namespace
}  // namespace kinopa::web
