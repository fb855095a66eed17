#include "app/watch.h"

#include <QCoreApplication>
#include <QProgressDialog>
#include <chrono>
#include <cstdio>
#include <memory>

#include "app/draw_w.h"
#include "app/recorder.h"
#include "app/recording_file.h"
#include "app/script_player.h"
#include "platform/messages.h"
#include "platform/numeric.h"

namespace kinopa {
namespace {

using Clock = std::chrono::steady_clock;

// Handles window events until `due` or until the window asks to close.
void waitUntil(EventPump& pump, Clock::time_point due, const Game& g) {
  while (Clock::now() < due && g.quitRequested == kClear) pump.yieldUntil(due);
}

// Plays the run before the last game unseen. Once that has taken half a
// second, a dialog shows the share done; the window system has its turn
// every 20 ms. Returns false when Cancel or the window asked to end.
bool fastForward(ScriptPlayer& player, const std::vector<ReplayCommand>& script,
                 std::size_t lastGame, EventPump& pump, DrawW& w) {
  using namespace std::chrono_literals;
  const Clock::time_point begin = Clock::now();
  Clock::time_point nextTurn = begin + 20ms;
  std::unique_ptr<QProgressDialog> progress;
  constexpr int kSteps = 1000;
  for (std::size_t i = 0; i < lastGame; ++i) {
    player.run(script[i]);
    if (i % 256 != 0) continue;  // the clock is read now and then
    const Clock::time_point now = Clock::now();
    if (now < nextTurn) continue;
    nextTurn = now + 20ms;
    if (!progress && now - begin >= 500ms) {
      progress = std::make_unique<QProgressDialog>(
          QCoreApplication::translate("kinopa", "Going through the run before its last game…"),
          QCoreApplication::translate("kinopa", "Cancel"), 0, kSteps, &w);
      progress->setWindowTitle(QStringLiteral("Kinopa"));
      progress->setMinimumDuration(0);
      progress->setAutoReset(false);
      progress->show();
    }
    if (progress) progress->setValue(static_cast<int>(static_cast<double>(i) * kSteps / lastGame));
    pump.yield(false);
    if (w.game().quitRequested != kClear || (progress && progress->wasCanceled())) return false;
  }
  return true;
}

}  // namespace

int watchRecording(const std::string& path) {
  std::vector<ReplayCommand> script;
  std::size_t lastGame = 0;
  try {
    script = readRecording(path);
    lastGame = lastGameStart(script, path);
  } catch (const NotARecording& e) {
    std::fprintf(stderr, "kinopa: %s cannot be watched: %s\n", path.c_str(), e.what());
    MsgBox(e.text(), MB_EXCLAMATION_OK, "Kinopa");
    return 2;
  }

  ScriptTick tick;
  ScriptRandom random;
  QtEventPump pump;
  DrawW w{Services{tick, random, pump, Mode::watch}};
  w.setWindowTitle(QStringLiteral("Kinopa — recording"));
  Game& g = w.game();
  // Start-up as usual: the sound settings are read and the sounds loaded once.
  ScriptPlayer player(w, tick, random, [&] {
    w.createSoundDevice();
    w.startUp();
  });

  if (!fastForward(player, script, lastGame, pump, w)) {
    w.shutdown();
    return 0;
  }
  // The last game at its own pace: the recorded clock against the real one.
  w.showFrames(true);
  pump.yield(false);
  const Clock::time_point begin = Clock::now();
  const int32_t firstTick = tick.now;
  for (std::size_t i = lastGame; i < script.size() && g.quitRequested == kClear; ++i) {
    const ReplayCommand& c = script[i];
    if (c.kind == ReplayCommand::tick)
      waitUntil(pump, begin + std::chrono::milliseconds(static_cast<int64_t>(c.number) - firstTick),
                g);
    player.run(c);
    if (c.kind == ReplayCommand::frame) pump.yield(false);
  }

  // The last frame stays, repaints included, until the window is closed.
  PictureBox& field = w.field();
  if (field.presentCount() > 0) field.setPicture(field.lastFrame().copy());
  w.setWindowTitle(QStringLiteral("Kinopa — recording, ended"));
  while (g.quitRequested == kClear) pump.yield(true);
  w.shutdown();
  return 0;
}

}  // namespace kinopa
