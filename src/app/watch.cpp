#include "app/watch.h"

#include <chrono>
#include <cstdio>

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

  for (std::size_t i = 0; i < lastGame; ++i) player.run(script[i]);
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
