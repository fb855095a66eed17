#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <functional>

#include "app/draw_w.h"
#include "fakes.h"
#include "platform/errors.h"
#include "platform/program_folder.h"
#include "sequence_random.h"

namespace kinopa {
namespace {

using testing_support::ScriptedTick;

// Runs the test's script at each yield of the main loop: step i of the
// script at yield i. Every yield also lets the clock run on by `msPerYield`.
class ScriptedPump : public EventPump {
 public:
  std::vector<std::function<void()>> script;
  std::vector<bool> waits;  // whether each yield would sleep for an event
  ScriptedTick* tick = nullptr;
  int msPerYield = 2;
  std::function<void()> whenScriptEnds;

  void yield(bool waitForEvent) override {
    waits.push_back(waitForEvent);
    tick->now += msPerYield;
    const std::size_t i = waits.size() - 1;
    if (i < script.size()) {
      if (script[i]) script[i]();
    } else if (whenScriptEnds) {
      whenScriptEnds();
    }
    if (waits.size() > 100000) throw Error("the main loop never ended");
  }
  void yieldUntilNextFrame() override { yield(false); }
};

class MainLoop : public testing::Test {
 protected:
  MainLoop() {
    overrideProgramFolder(KINOPA_BIN_DIR);
    pump.tick = &tick;
    pump.whenScriptEnds = [this] { w.g.gameend_Click(); };
  }
  ~MainLoop() override { overrideProgramFolder(""); }

  ScriptedTick tick;
  SequenceRandom random{{0.5}};
  ScriptedPump pump;
  // The loop alone: the build's own wave.ini is neither read nor written.
  DrawW w{Services{tick, random, pump, false}};
};

TEST_F(MainLoop, IdleWaitsForEventsKeepsSettingsEnabledAndTheClockFresh) {
  std::vector<bool> enabled;
  std::vector<double> prevTicks;
  for (int i = 0; i < 3; ++i)
    pump.script.push_back([&] {
      enabled.push_back(w.Command1->isEnabled());
      prevTicks.push_back(w.g.prevTick);
    });
  w.Form_Load();
  EXPECT_EQ(pump.waits, (std::vector<bool>{true, true, true, true}));
  EXPECT_EQ(enabled, (std::vector<bool>{true, true, true}));
  // Each idle pass reads the clock afresh (it ran on 2 ms per yield).
  EXPECT_EQ(prevTicks[1] - prevTicks[0], 2);
  EXPECT_EQ(prevTicks[2] - prevTicks[1], 2);
  EXPECT_FALSE(w.isVisible());  // shut down: the window is closed
}

TEST_F(MainLoop, StartupShowsTheWindowAndPreparesAGameWithoutStartingIt) {
  bool visible = false;
  pump.script = {[&] { visible = w.isVisible(); }};
  w.Form_Load();
  EXPECT_TRUE(visible);
  EXPECT_EQ(w.Label6->text(), "30000");
  EXPECT_EQ(w.Label8->text(), "0");
  EXPECT_EQ(w.gamestart->text(), "Start");
  EXPECT_EQ(w.Picture1->presentCount(), 0);
  EXPECT_TRUE(w.surfaces.textSurface != nullptr);
  EXPECT_EQ(w.surfaces.backDesc.width, 400);
  EXPECT_EQ(w.surfaces.backDesc.height, 600);
}

TEST_F(MainLoop, ARunningGameDrawsOneFramePerPassAndLocksTheSettings) {
  std::vector<bool> settings;
  int presentsBefore = -1;
  const auto record = [&] { settings.push_back(w.Command1->isEnabled()); };
  pump.script = {[&] {
    tick.now += 60000;  // a long idle time costs nothing
    w.gamestart->click();
  }};
  for (int i = 0; i < 5; ++i) pump.script.push_back(record);
  pump.script.push_back([&] {
    presentsBefore = w.Picture1->presentCount();
    w.gamestart->click();  // Pause
  });
  pump.script.push_back(record);
  pump.script.push_back(record);
  w.Form_Load();
  // Yield 0 idle; 1 to 6 after frames (no waiting); 7 closes the last
  // running pass without waiting, so that the next idle pass re-enables the
  // settings button before the loop sleeps at 8.
  EXPECT_EQ(pump.waits,
            (std::vector<bool>{true, false, false, false, false, false, false, false, true, true}));
  // Each pass enables the button before its frame and disables it after the
  // yield: it is locked from the end of the first running pass on.
  EXPECT_EQ(settings, (std::vector<bool>{true, false, false, false, false, false, true}));
  // The first frame measured 0 ms: the long idle time was not charged.
  EXPECT_EQ(w.g.remainingTime, 30000 - 5 * 2);
  EXPECT_EQ(presentsBefore, 6);
  EXPECT_EQ(w.Picture1->lastFrame().size(), QSize(399, 599));
}

TEST_F(MainLoop, AScoreAboveTheHighestIsShownOnTheSamePass) {
  pump.script = {[&] { w.gamestart->click(); },
                 [&] { w.g.score = 7; },
                 [&] { EXPECT_EQ(w.Label8->text(), "7"); w.g.score = 7; },
                 [&] { w.gameend->click(); }};
  w.Form_Load();
  EXPECT_EQ(w.g.highScore, 7);
}

TEST_F(MainLoop, TheEndButtonDuringAGameEndsTheProgramOnTheNextPass) {
  pump.script = {[&] { w.gamestart->click(); }, nullptr, [&] { w.gameend->click(); }};
  pump.whenScriptEnds = nullptr;
  w.Form_Load();
  // One last yield follows, which must not sleep waiting for an event: the
  // program is ending.
  EXPECT_EQ(pump.waits, (std::vector<bool>{true, false, false, false}));
  EXPECT_EQ(w.g.quitRequested, kSet);
  EXPECT_FALSE(w.isVisible());
}

TEST_F(MainLoop, TheCloseBoxAsksTheLoopToEndAndShutdownClosesTheWindow) {
  bool stillVisibleAfterClose = false;
  pump.script = {[&] { w.gamestart->click(); },
                 [&] {
                   w.close();  // the close box
                   stillVisibleAfterClose = w.isVisible();
                 }};
  pump.whenScriptEnds = nullptr;
  w.Form_Load();
  EXPECT_EQ(pump.waits, (std::vector<bool>{true, false, false}));
  EXPECT_TRUE(stillVisibleAfterClose);  // closed by shutdown, not by the request
  EXPECT_EQ(w.g.paused, kSet);
  EXPECT_EQ(w.g.quitRequested, kSet);
  EXPECT_FALSE(w.isVisible());
}

TEST_F(MainLoop, AGameEndsAfterThirtySecondsOfPlay) {
  pump.msPerYield = 5;
  pump.script = {[&] { w.gamestart->click(); }};
  int passes = 0;
  pump.whenScriptEnds = [&] {
    ++passes;
    if (w.g.paused == kSet) w.gameend->click();
    // A player who keeps the tovrin under the zarup never lets it fall, so
    // no time is lost.
    w.g.Picture1_MouseMove(0, 0, static_cast<float>(w.g.objects.zarupX + 42), 540);
  };
  w.Form_Load();
  EXPECT_GT(w.g.score, 0);
  EXPECT_EQ(w.gamestart->text(), "Restart");
  EXPECT_EQ(w.Label6->text(), "0");
  // Frame 1 measures 0 ms, frames 2 to 6001 take 5 ms each and the last of
  // them ends the game; the end button pressed in its yield leaves one more
  // yield before the loop ends.
  EXPECT_EQ(passes, 6001 + 1);
}

TEST_F(MainLoop, AfterGameOverTheSettingsButtonIsEnabledBeforeTheLoopSleeps) {
  pump.script = {[&] { w.gamestart->click(); }, [&] { w.g.remainingTime = 1; }};
  bool enabledWhenSleeping = false;
  pump.whenScriptEnds = [&] {
    if (pump.waits.back()) {
      enabledWhenSleeping = w.Command1->isEnabled();
      w.gameend->click();
    }
  };
  w.Form_Load();
  EXPECT_TRUE(enabledWhenSleeping);
  EXPECT_EQ(w.gamestart->text(), "Restart");
  EXPECT_EQ(pump.waits, (std::vector<bool>{true, false, false, false, true}));
}

TEST(StartUp, AMissingBitmapStopsTheProgramAfterTheWindowWasShown) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  QDir root(dir.path());
  ASSERT_TRUE(root.mkpath("bin") && root.mkpath("images"));
  for (const char* f : {"back.bmp", "zarup.bmp", "melkit.bmp", "tovrin.bmp"})
    ASSERT_TRUE(QFile::copy(QString(KINOPA_IMAGES_DIR) + "/" + f, root.filePath("images/") + f));
  overrideProgramFolder(root.filePath("bin").toStdString());
  ScriptedTick tick;
  SequenceRandom random{{0.5}};
  ScriptedPump pump;
  pump.tick = &tick;
  DrawW w{Services{tick, random, pump}};
  try {
    w.Form_Load();
    ADD_FAILURE() << "started without text.bmp";
  } catch (const PlatformError& e) {
    EXPECT_NE(std::string(e.what()).find("text.bmp"), std::string::npos) << e.what();
    EXPECT_EQ(e.where(), "draw_w.init");
    EXPECT_TRUE(w.isVisible());
  }
  EXPECT_TRUE(pump.waits.empty());  // the main loop never ran
  overrideProgramFolder("");
}

}  // namespace
}  // namespace kinopa
