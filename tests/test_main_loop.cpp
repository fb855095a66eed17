#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <functional>

#include "shown_session.h"
#include "window/draw_w.h"
#include "window_controls.h"
#include "fakes.h"
#include "core/errors.h"
#include "core/program_folder.h"
#include "sequence_random.h"

namespace kinopa {
namespace {

using testing_support::ScriptedTick;

// Runs the test's script at each yield of the main loop: step i of the
// script at yield i. Every yield also lets the clock run on by `msPerYield`.
// It notes the yields a player would suffer from: sleeping for an event
// while a game runs (the frames stop) or while the program ends (it hangs),
// and idling more than one pass without sleeping (it spins).
class ScriptedPump : public EventPump {
 public:
  std::vector<std::function<void()>> script;
  std::vector<std::string> faults;
  std::size_t yields = 0;
  bool lastWaited = false;
  ScriptedTick* tick = nullptr;
  const Game* game = nullptr;
  int msPerYield = 2;
  std::function<void()> whenScriptEnds;

  void yield(bool waitForEvent) override {
    note(waitForEvent);
    tick->now += msPerYield;
    const std::size_t i = yields++;
    if (i < script.size()) {
      if (script[i]) script[i]();
    } else if (whenScriptEnds) {
      whenScriptEnds();
    }
    if (yields > 100000) throw Error("the main loop never ended");
  }
  // A sleep until an event or a time: as good as waiting for the event.
  void yieldUntil(std::chrono::steady_clock::time_point) override { yield(true); }
  // A running pass's turn, which never sleeps for an event.
  void yieldUntilNextFrame() override {
    framePass_ = true;
    yield(false);
    framePass_ = false;
  }

 private:
  void note(bool waitForEvent) {
    lastWaited = waitForEvent;
    const std::string at = " at yield " + std::to_string(yields);
    if (waitForEvent && (framePass_ || game->paused == kClear))
      faults.push_back("slept during a game" + at);
    if (waitForEvent && game->quitRequested != kClear) faults.push_back("slept while ending" + at);
    spins_ = waitForEvent || framePass_ ? 0 : spins_ + 1;
    if (spins_ > 1) faults.push_back("spun while idle" + at);
  }
  int spins_ = 0;
  bool framePass_ = false;
};

class MainLoop : public testing::Test {
 protected:
  MainLoop() {
    overrideProgramFolder(KINOPA_BIN_DIR);
    pump.tick = &tick;
    pump.game = &w.session().rules();
    pump.whenScriptEnds = [this] { w.session().rules().gameend_Click(); };
  }
  ~MainLoop() override { overrideProgramFolder(""); }

  ScriptedTick tick;
  SequenceRandom random{{0.5}};
  ScriptedPump pump;
  // The loop alone: the build's own wave.ini is neither read nor written.
  ShownSession shown{Services{tick, random, pump, Mode::script}};
  DrawW& w = shown.window;
};

TEST_F(MainLoop, IdleWaitsForEventsKeepsSettingsEnabledAndTheClockFresh) {
  std::vector<bool> enabled;
  std::vector<double> prevTicks;
  for (int i = 0; i < 3; ++i)
    pump.script.push_back([&] {
      enabled.push_back(control<QPushButton>(w, "Command1")->isEnabled());
      prevTicks.push_back(w.session().rules().prevTick);
    });
  w.Form_Load();
  EXPECT_EQ(pump.faults, std::vector<std::string>{});
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
  EXPECT_EQ(control<QLabel>(w, "Label6")->text(), "30000");
  EXPECT_EQ(control<QLabel>(w, "Label8")->text(), "0");
  EXPECT_EQ(control<QPushButton>(w, "gamestart")->text(), "Start");
  EXPECT_EQ(w.field().presentCount(), 0);
  EXPECT_TRUE(w.session().surfaces().textSurface != nullptr);
  EXPECT_EQ(w.session().surfaces().backDesc.width, 400);
  EXPECT_EQ(w.session().surfaces().backDesc.height, 600);
}

TEST_F(MainLoop, ARunningGameDrawsOneFramePerPassAndLocksTheSettings) {
  std::vector<bool> settings;
  int presentsBefore = -1;
  const auto record = [&] { settings.push_back(control<QPushButton>(w, "Command1")->isEnabled()); };
  pump.script = {[&] {
    tick.now += 60000;  // a long idle time costs nothing
    control<QPushButton>(w, "gamestart")->click();
  }};
  for (int i = 0; i < 5; ++i) pump.script.push_back(record);
  pump.script.push_back([&] {
    presentsBefore = w.field().presentCount();
    control<QPushButton>(w, "gamestart")->click();  // Pause
  });
  pump.script.push_back(record);
  pump.script.push_back(record);
  w.Form_Load();
  EXPECT_EQ(pump.faults, std::vector<std::string>{});
  // Each pass enables the button before its frame and disables it after the
  // yield: it is locked from the end of the first running pass on.
  EXPECT_EQ(settings, (std::vector<bool>{true, false, false, false, false, false, true}));
  // The first frame measured 0 ms: the long idle time was not charged.
  EXPECT_EQ(w.session().rules().remainingTime, 30000 - 5 * 2);
  EXPECT_EQ(presentsBefore, 6);
  EXPECT_EQ(w.field().lastFrame().size(), QSize(399, 599));
}

TEST_F(MainLoop, AScoreAboveTheHighestIsShownOnTheSamePass) {
  pump.script = {[&] { control<QPushButton>(w, "gamestart")->click(); },
                 [&] { w.session().rules().score = 7; },
                 [&] { EXPECT_EQ(control<QLabel>(w, "Label8")->text(), "7"); w.session().rules().score = 7; },
                 [&] { control<QPushButton>(w, "gameend")->click(); }};
  w.Form_Load();
  EXPECT_EQ(w.session().rules().highScore, 7);
}

TEST_F(MainLoop, TheEndButtonDuringAGameEndsTheProgramOnTheNextPass) {
  pump.script = {[&] { control<QPushButton>(w, "gamestart")->click(); }, nullptr, [&] { control<QPushButton>(w, "gameend")->click(); }};
  pump.whenScriptEnds = nullptr;
  w.Form_Load();
  // The yield that follows must not sleep waiting for an event: the program
  // is ending.
  EXPECT_EQ(pump.faults, std::vector<std::string>{});
  EXPECT_EQ(w.session().rules().quitRequested, kSet);
  EXPECT_FALSE(w.isVisible());
}

TEST_F(MainLoop, TheCloseBoxAsksTheLoopToEndAndShutdownClosesTheWindow) {
  bool stillVisibleAfterClose = false;
  pump.script = {[&] { control<QPushButton>(w, "gamestart")->click(); },
                 [&] {
                   w.close();  // the close box
                   stillVisibleAfterClose = w.isVisible();
                 }};
  pump.whenScriptEnds = nullptr;
  w.Form_Load();
  EXPECT_EQ(pump.faults, std::vector<std::string>{});
  EXPECT_TRUE(stillVisibleAfterClose);  // closed by shutdown, not by the request
  EXPECT_EQ(w.session().rules().paused, kSet);
  EXPECT_EQ(w.session().rules().quitRequested, kSet);
  EXPECT_FALSE(w.isVisible());
}

TEST_F(MainLoop, AGameEndsAfterThirtySecondsOfPlay) {
  pump.msPerYield = 5;
  pump.script = {[&] { control<QPushButton>(w, "gamestart")->click(); }};
  int passes = 0;
  pump.whenScriptEnds = [&] {
    ++passes;
    if (w.session().rules().paused == kSet) control<QPushButton>(w, "gameend")->click();
    // A player who keeps the tovrin under the zarup never lets it fall, so
    // no time is lost.
    w.session().rules().Picture1_MouseMove(0, 0, static_cast<float>(w.session().rules().objects.zarupX + 42), 540);
  };
  w.Form_Load();
  EXPECT_GT(w.session().rules().score, 0);
  EXPECT_EQ(control<QPushButton>(w, "gamestart")->text(), "Restart");
  EXPECT_EQ(control<QLabel>(w, "Label6")->text(), "0");
  // Frame 1 measures 0 ms, frames 2 to 6001 take 5 ms each and the last of
  // them ends the game; the end button pressed in its yield leaves one more
  // yield before the loop ends.
  EXPECT_EQ(passes, 6001 + 1);
}

TEST_F(MainLoop, AfterGameOverTheSettingsButtonIsEnabledBeforeTheLoopSleeps) {
  pump.script = {[&] { control<QPushButton>(w, "gamestart")->click(); }, [&] { w.session().rules().remainingTime = 1; }};
  bool enabledWhenSleeping = false;
  pump.whenScriptEnds = [&] {
    if (pump.lastWaited) {
      enabledWhenSleeping = control<QPushButton>(w, "Command1")->isEnabled();
      control<QPushButton>(w, "gameend")->click();
    }
  };
  w.Form_Load();
  EXPECT_TRUE(enabledWhenSleeping);
  EXPECT_EQ(control<QPushButton>(w, "gamestart")->text(), "Restart");
  EXPECT_EQ(pump.faults, std::vector<std::string>{});
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
  ShownSession shown{Services{tick, random, pump}};
  DrawW& w = shown.window;
  pump.game = &w.session().rules();
  try {
    w.Form_Load();
    ADD_FAILURE() << "started without text.bmp";
  } catch (const PlatformError& e) {
    EXPECT_NE(std::string(e.what()).find("text.bmp"), std::string::npos) << e.what();
    EXPECT_EQ(e.where(), "draw_w.init");
    EXPECT_TRUE(w.isVisible());
  }
  EXPECT_EQ(pump.yields, 0u);  // the main loop never ran
  overrideProgramFolder("");
}

}  // namespace
}  // namespace kinopa
