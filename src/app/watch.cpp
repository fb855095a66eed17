#include "app/watch.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QLabel>
#include <QPushButton>
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
  DrawW w{Services{tick, random, pump, true}};
  w.setWindowTitle(QStringLiteral("Kinopa — recording"));
  // Nothing to play or set while watching: the game and settings buttons are
  // greyed out. 終了 and the close box end the program.
  w.inputLocked = true;
  w.gamestart->setEnabled(false);
  w.Command1->setEnabled(false);
  w.offScreen = true;
  ScriptPlayer player(w, tick, random, [&] {
    // Start-up as usual: the sound settings are read and the sounds loaded
    // once; after that the recording says what the highest score is.
    w.createSoundDevice();
    w.startUp();
    if (w.scriptedHighScore) {
      w.g.highScore = *w.scriptedHighScore;
      w.setCaption(Control::Label8, numberText(w.g.highScore));
      w.scriptedHighScore.reset();
    }
    w.useSettingsFile(false);
  });

  for (std::size_t i = 0; i < lastGame; ++i) player.run(script[i]);
  // The last game at its own pace: the recorded clock against the real one.
  w.offScreen = false;
  QCoreApplication::processEvents();
  const Clock::time_point begin = Clock::now();
  const int32_t firstTick = tick.now;
  for (std::size_t i = lastGame; i < script.size() && w.g.quitRequested == kClear; ++i) {
    const ReplayCommand& c = script[i];
    if (c.kind == ReplayCommand::tick)
      waitUntil(pump, begin + std::chrono::milliseconds(static_cast<int64_t>(c.number) - firstTick),
                w.g);
    player.run(c);
    if (c.kind == ReplayCommand::frame) QCoreApplication::processEvents();
  }

  // The last frame stays, repaints included, until the window is closed.
  if (w.Picture1->presentCount() > 0) w.Picture1->setPicture(w.Picture1->lastFrame().copy());
  w.setWindowTitle(QStringLiteral("Kinopa — recording, ended"));
  while (w.g.quitRequested == kClear) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  w.shutdown();
  return 0;
}

}  // namespace kinopa
