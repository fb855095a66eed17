// The main loop of a play session, on a front end with no window system:
// its passes, its yields, the phase of the run and what the window shows.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>

#include "core/errors.h"
#include "fakes.h"
#include "play/headless_front.h"
#include "play/play_session.h"
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
  const PlaySession* session = nullptr;
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
    const Phase phase = session->phase();
    if (waitForEvent && (framePass_ || phase == Phase::running))
      faults.push_back("slept during a game" + at);
    if (waitForEvent && phase == Phase::ending) faults.push_back("slept while ending" + at);
    spins_ = waitForEvent || framePass_ ? 0 : spins_ + 1;
    if (spins_ > 1) faults.push_back("spun while idle" + at);
  }
  int spins_ = 0;
  bool framePass_ = false;
};

// The front end, noting when shutdown closes the windows.
class NotedFront : public HeadlessFront {
 public:
  bool closed = false;
  void closeWindows() override { closed = true; }
};

// Start-up, the main loop and shutdown, as PlaySession::run has them after
// it opens the sound device: the loop plays no sound.
void run(PlaySession& session) {
  session.startUp();
  session.mainLoop();
  session.shutdown();
}

// A play session on the scripted pump, ended once the script has run.
struct Loop {
  Loop() {
    pump.tick = &tick;
    pump.session = &session;
    pump.whenScriptEnds = [this] { session.endClicked(); };
  }

  ScriptedTick tick;
  SequenceRandom random{{0.5}};
  ScriptedPump pump;
  NotedFront front;
  // The loop alone: no settings file is read or written.
  PlaySession session{Services{tick, random, pump, Mode::script}, front};
};

class MainLoop : public testing::Test, protected Loop {};

TEST_F(MainLoop, IdleWaitsForEventsKeepsSettingsEnabledAndTheClockFresh) {
  std::vector<bool> enabled;
  std::vector<double> prevTicks;
  for (int i = 0; i < 3; ++i)
    pump.script.push_back([&] {
      enabled.push_back(session.enabled(Control::Command1));
      prevTicks.push_back(session.game().prevTick);
    });
  run(session);
  EXPECT_EQ(pump.faults, std::vector<std::string>{});
  EXPECT_EQ(enabled, (std::vector<bool>{true, true, true}));
  // Each idle pass reads the clock afresh (it ran on 2 ms per yield).
  EXPECT_EQ(prevTicks[1] - prevTicks[0], 2);
  EXPECT_EQ(prevTicks[2] - prevTicks[1], 2);
  EXPECT_TRUE(front.closed);  // shut down: the windows are closed
}

TEST_F(MainLoop, ARunningGameDrawsOneFramePerPassAndLocksTheSettings) {
  std::vector<bool> settings;
  std::vector<Phase> phases;
  int presentsBefore = -1;
  const auto record = [&] {
    settings.push_back(session.enabled(Control::Command1));
    phases.push_back(session.phase());
  };
  pump.script = {[&] {
    tick.now += 60000;  // a long idle time costs nothing
    session.startClicked();
  }};
  for (int i = 0; i < 5; ++i) pump.script.push_back(record);
  pump.script.push_back([&] {
    presentsBefore = front.fieldSerial();
    session.startClicked();  // Pause
  });
  pump.script.push_back(record);
  pump.script.push_back(record);
  run(session);
  EXPECT_EQ(pump.faults, std::vector<std::string>{});
  // Each pass enables the button before its frame and disables it after the
  // yield: it is locked from the end of the first running pass on.
  EXPECT_EQ(settings, (std::vector<bool>{true, false, false, false, false, false, true}));
  EXPECT_EQ(phases, (std::vector<Phase>{Phase::running, Phase::running, Phase::running,
                                        Phase::running, Phase::running, Phase::stopped,
                                        Phase::stopped}));
  // The first frame measured 0 ms: the long idle time was not charged.
  EXPECT_EQ(session.game().remainingTime, 30000 - 5 * 2);
  EXPECT_EQ(presentsBefore, 6);
}

// The end button during a game, and the close box, which asks the loop to
// end as the end button does: the program ends on the next pass, and
// shutdown closes the windows.
class EndRequest : public MainLoop, public testing::WithParamInterface<bool> {};

TEST_P(EndRequest, DuringAGameEndsTheProgramOnTheNextPass) {
  const bool closeBox = GetParam();
  bool closedAtOnce = true;
  pump.script = {[&] { session.startClicked(); }, nullptr, [&] {
                   closeBox ? session.endRequested() : session.endClicked();
                   closedAtOnce = front.closed;
                 }};
  run(session);
  // The yield that follows must not sleep waiting for an event: the
  // program is ending.
  EXPECT_EQ(pump.faults, std::vector<std::string>{});
  EXPECT_EQ(session.phase(), Phase::ending);
  EXPECT_FALSE(closedAtOnce);  // closed by shutdown, not by the request
  EXPECT_TRUE(front.closed);
}
INSTANTIATE_TEST_SUITE_P(EndButtonOrCloseBox, EndRequest, testing::Bool());

TEST_F(MainLoop, AfterGameOverTheSettingsButtonIsEnabledBeforeTheLoopSleeps) {
  pump.script = {[&] { session.startClicked(); }, [&] { session.rules().remainingTime = 1; }};
  bool enabledWhenSleeping = false;
  pump.whenScriptEnds = [&] {
    if (pump.lastWaited) {
      enabledWhenSleeping = session.enabled(Control::Command1);
      session.endClicked();
    }
  };
  run(session);
  EXPECT_TRUE(enabledWhenSleeping);
  EXPECT_EQ(session.caption(Control::gamestart), "Restart");
  EXPECT_EQ(pump.faults, std::vector<std::string>{});
}

// A tap shorter than a frame: the press moves the pointer onto the melkit
// and the release comes in the same turn of the window system. The rules
// judge a release by the melkit as the last drawn frame saw the pointer: a
// mouse's is judged at once (a miss: no frame saw the move), a finger's
// waits for a drawn frame, then counts.
TEST(MainLoopTouch, ATapIsJudgedOnceADrawnFrameHasSeenWhereItPressed) {
  struct Case {
    const char* what;
    bool touch;
    int32_t lateMs;  // the turn takes this long: the frame after it is dropped
    std::vector<int32_t> rates;  // at the turns after frames 2, 3 and 4
    int16_t misses;
  };
  for (const Case& c : {Case{"a mouse's release, at once", false, 0, {1, 1, 1}, 1},
                        Case{"a finger's, after the next frame", true, 0, {1, 2, 2}, 0},
                        Case{"a finger's, after a drawn frame, not a dropped one", true, 20, {1, 1, 2}, 0}}) {
    Loop l;
    PlaySession& session = l.session;
    std::vector<int32_t> rates;
    const auto rate = [&] { rates.push_back(session.game().scoreRate); };
    l.pump.script = {[&] { session.startClicked(); },
                   [&] {  // the turn after frame 1
                     const Objects& o = session.game().objects;
                     const float x = static_cast<float>(o.melkitX + 50), y = static_cast<float>(o.melkitY + 20);
                     session.mouseMove(0, 0, x, y);
                     if (c.touch) {
                       session.touchUp(kLeftButton, 0, x, y);
                     } else {
                       session.mouseUp(kLeftButton, 0, x, y);
                     }
                     l.tick.now += c.lateMs;
                   },
                   rate, rate, rate, [&] { session.endClicked(); }};
    run(session);
    EXPECT_EQ(rates, c.rates) << c.what;
    EXPECT_EQ(session.game().objects.misclickCount, c.misses) << c.what;
  }
}

}  // namespace
}  // namespace kinopa
