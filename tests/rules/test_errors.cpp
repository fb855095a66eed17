#include <gtest/gtest.h>

#include "core/errors.h"
#include "core/numeric.h"

namespace kinopa {
namespace {

void overflowInside(const char* routine) {
  RoutineScope scope(routine);
  toI16(40000.0);
}

TEST(ErrorReport, NamesTheRoutineWhereTheErrorArose) {
  KINOPA_ROUTINE("draw_w.outer");
  try {
    overflowInside("draw_w.game");
    FAIL() << "no overflow";
  } catch (const Error& e) {
    EXPECT_EQ(e.where(), "draw_w.game");
    EXPECT_NE(errorReport(e).find("draw_w.game"), std::string::npos) << errorReport(e);
  }
  EXPECT_STREQ(currentRoutine(), "draw_w.outer");
}

TEST(Guarded, KeepsTheFirstErrorSkipsLaterHandlersAndRaisesItLater) {
  int ran = 0;
  guarded([&] { ++ran; throw IndexError(); });
  guarded([&] { ++ran; });
  guarded([&] { throw OverflowError(); });
  EXPECT_EQ(ran, 1);
  EXPECT_TRUE(errorPending());
  EXPECT_THROW(rethrowDeferred(), IndexError);
  EXPECT_FALSE(errorPending());
  EXPECT_NO_THROW(rethrowDeferred());
  guarded([&] { ++ran; });
  EXPECT_EQ(ran, 2);
}

}  // namespace
}  // namespace kinopa
