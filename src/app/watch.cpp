#include "app/watch.h"

#include <QCoreApplication>
#include <QProgressDialog>
#include <chrono>
#include <cstdio>
#include <memory>
#include <optional>

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
bool fastForward(ScriptPlayer& player, Recording& recording, std::size_t lastGame,
                 EventPump& pump, DrawW& w) {
  using namespace std::chrono_literals;
  const Clock::time_point begin = Clock::now();
  Clock::time_point nextTurn = begin + 20ms;
  std::unique_ptr<QProgressDialog> progress;
  constexpr int kSteps = 1000;
  ReplayCommand c;
  for (std::size_t i = 0; i < lastGame && recording.next(c); ++i) {
    player.run(c);
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

// The last game at its own pace: the recorded clock against the real one.
void playLastGame(ScriptPlayer& player, Recording& recording, const ScriptTick& tick,
                  EventPump& pump, const Game& g) {
  pump.yield(false);
  const Clock::time_point begin = Clock::now();
  const int32_t firstTick = tick.now;
  for (ReplayCommand c; g.quitRequested == kClear && recording.next(c);) {
    if (c.kind == ReplayCommand::tick)
      waitUntil(pump, begin + std::chrono::milliseconds(static_cast<int64_t>(c.number) - firstTick),
                g);
    player.run(c);
    if (c.kind == ReplayCommand::frame) pump.yield(false);
  }
}

int refuse(const std::string& path, const NotARecording& e) {
  std::fprintf(stderr, "kinopa: %s cannot be watched: %s\n", path.c_str(), e.what());
  MsgBox(e.text(), MB_EXCLAMATION_OK, "Kinopa");
  return 2;
}

}  // namespace

int watchRecording(const std::string& path) {
  // Read from the disk as it plays: once through to check it and find its
  // last game, then again to play it.
  std::optional<Recording> recording;
  std::size_t lastGame = 0;
  try {
    recording.emplace(path);
    lastGame = lastGameStart(*recording);
    recording->rewind();
  } catch (const NotARecording& e) {
    return refuse(path, e);
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

  try {
    if (!fastForward(player, *recording, lastGame, pump, w)) {
      w.shutdown();
      return 0;
    }
    w.showFrames(true);
    playLastGame(player, *recording, tick, pump, g);
  } catch (const NotARecording& e) {
    // Checked whole before, so only a file changed under us gets here.
    w.shutdown();
    return refuse(path, e);
  }

  // The last frame stays, repaints included, until the window is closed.
  PictureBox& field = w.field();
  if (field.presentCount() > 0) field.setPicture(field.lastFrame().copy());
  w.setWindowTitle(QStringLiteral("Kinopa — recording, ended"));
  while (g.quitRequested == kClear) {
    w.tendSound(false);
    if (const auto due = w.soundDue()) {
      pump.yieldUntil(*due);
    } else {
      pump.yield(true);
    }
  }
  w.shutdown();
  return 0;
}

}  // namespace kinopa
