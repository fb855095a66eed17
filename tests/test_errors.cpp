#include <gtest/gtest.h>

#include "platform/errors.h"
#include "platform/messages.h"
#include "platform/numeric.h"

namespace kinopa {
namespace {

void overflowInside(const char* routine) {
  RoutineScope scope(routine);
  toI16(40000.0);
}

TEST(ErrorReport, NamesTheErrorAndTheRoutineWhereItArose) {
  KINOPA_ROUTINE("draw_w.outer");
  try {
    overflowInside("draw_w.game");
    FAIL() << "no overflow";
  } catch (const Error& e) {
    EXPECT_EQ(e.where(), "draw_w.game");
    EXPECT_EQ(errorReport(e), "Overflow\n\nin draw_w.game");
  }
  EXPECT_STREQ(currentRoutine(), "draw_w.outer");
}

TEST(ErrorReport, PlatformErrorsNameObjectAndOperation) {
  const PlatformError e("DirectDraw7", "CreateSurfaceFromFile", "file not found: x/back.bmp");
  EXPECT_EQ(e.description(), "DirectDraw7.CreateSurfaceFromFile failed: file not found: x/back.bmp");
  EXPECT_EQ(errorReport(std::runtime_error("plain")), "plain");
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

class RecordingSink : public MessageSink {
 public:
  std::vector<std::string> shown;
  void messageBox(const std::string& title, const std::string& text, int style) override {
    shown.push_back("box " + std::to_string(style) + " " + title + ": " + text);
  }
  void errorBox(const std::string& title, const std::string& text) override {
    shown.push_back("error " + title + ": " + text);
  }
};

TEST(Messages, BoxesAndTheErrorBoxGoToTheSink) {
  RecordingSink sink;
  setMessageSink(&sink);
  MsgBox("no file", MB_EXCLAMATION_OK, "wave.iniファイルに何か問題あるみたいです。");
  try {
    KINOPA_ROUTINE("draw_w.init");
    throw PlatformError("DirectDraw7", "CreateSurfaceFromFile", "file not found: back.bmp");
  } catch (const std::exception& e) {
    showErrorBox(e);
  }
  setMessageSink(nullptr);
  EXPECT_EQ(sink.shown, (std::vector<std::string>{
                            "box 48 wave.iniファイルに何か問題あるみたいです。: no file",
                            "error Kinopa: DirectDraw7.CreateSurfaceFromFile failed: file not "
                            "found: back.bmp\n\nin draw_w.init"}));
}

}  // namespace
}  // namespace kinopa
