#include "app/watch.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <chrono>
#include <cstdio>

#include "app/draw_w.h"
#include "app/recorder.h"
#include "app/recording_file.h"
#include "app/script_player.h"
#include "platform/messages.h"

namespace kinopa {
namespace {

using Clock = std::chrono::steady_clock;

// Handles window events until `due` or until the window asks to close.
void waitUntil(Clock::time_point due, const Game& g) {
  QTimer wake;
  wake.setSingleShot(true);
  wake.setTimerType(Qt::PreciseTimer);
  Clock::time_point now;
  while ((now = Clock::now()) < due && g.quitRequested == kClear) {
    wake.start(static_cast<int>(
        std::chrono::ceil<std::chrono::milliseconds>(due - now).count()));
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }
}

}  // namespace

int watchRecording(const std::string& path) {
  std::vector<ReplayCommand> script;
  std::size_t lastGame = 0;
  try {
    script = readRecording(path);
    lastGame = lastGameStart(script);
  } catch (const NotARecording& e) {
    const std::string text = path + " cannot be watched: " + e.what();
    std::fprintf(stderr, "kinopa: %s\n", text.c_str());
    MsgBox(text, MB_EXCLAMATION_OK, "Kinopa");
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
      w.Label8->setText(QString::number(w.g.highScore));
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
      waitUntil(begin + std::chrono::milliseconds(static_cast<int64_t>(c.number) - firstTick), w.g);
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
