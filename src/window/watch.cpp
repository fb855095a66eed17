#include "window/watch.h"

#include <QCoreApplication>
#include <QProgressDialog>
#include <chrono>
#include <cstdio>
#include <memory>
#include <optional>

#include "core/messages.h"
#include "play/watch.h"
#include "qt/qt_event_pump.h"
#include "window/draw_w.h"

namespace kinopa {
namespace {

using Clock = std::chrono::steady_clock;

int refuse(const std::string& path, const NotARecording& e) {
  std::fprintf(stderr, "kinopa: %s cannot be watched: %s\n", path.c_str(), e.what());
  MsgBox(e.text(), MB_EXCLAMATION_OK, "Kinopa");
  return 2;
}

// The recording read through, then the run before its last game unseen, a
// slice at a time with the window system's turn between; once the program
// has run for a while (a long recording: 100 MB take seconds), a dialog shows
// each step's share done. False when Cancel or the window asked
// to end.
bool goThrough(Watch& watch, EventPump& pump, DrawW& w, Clock::time_point began) {
  std::unique_ptr<QProgressDialog> progress;
  constexpr int kSteps = 1000;
  const QString reading = QCoreApplication::translate("kinopa", "Reading the recording…");
  const QString going =
      QCoreApplication::translate("kinopa", "Going through the run before its last game…");
  for (;;) {
    double share = watch.check(Watch::kSlice);
    const bool read = share >= 1;
    if (read) {
      share = watch.fastForward(Watch::kSlice);
      if (share >= 1) return true;
    }
    if (!progress && Clock::now() - began >= Watch::kProgressAfter) {
      progress = std::make_unique<QProgressDialog>(
          reading, QCoreApplication::translate("kinopa", "Cancel"), 0, kSteps, &w);
      progress->setWindowTitle(QStringLiteral("Kinopa"));
      progress->setMinimumDuration(0);
      progress->setAutoReset(false);
      progress->show();
    }
    if (progress) {
      if (read && progress->labelText() != going) progress->setLabelText(going);
      progress->setValue(static_cast<int>(share * kSteps));
    }
    pump.yield(false);
    if (watch.session().phase() == Phase::ending || (progress && progress->wasCanceled()))
      return false;
  }
}

}  // namespace

int watchRecording(const std::string& path, Clock::time_point began) {
  std::unique_ptr<Watch> watch;
  try {
    watch = std::make_unique<Watch>(path);
  } catch (const NotARecording& e) {
    return refuse(path, e);
  }

  QtEventPump pump;
  DrawW::Front front;
  PlaySession& session = watch->begin(front);
  DrawW w(session, front);
  w.setWindowTitle(QStringLiteral("Kinopa — recording"));
  // At once, whatever the recording's length: it is read behind the window.
  front.show();
  try {
    if (!goThrough(*watch, pump, w, began)) {
      session.shutdown();
      return 0;
    }
    // The last game at its own pace: the recorded clock against the real one.
    pump.yield(false);
    while (const std::optional<Clock::time_point> due = watch->playDue(Clock::now())) {
      while (Clock::now() < *due && session.phase() == Phase::watching) pump.yieldUntil(*due);
      pump.yield(false);
    }
  } catch (const NotARecording& e) {
    session.shutdown();
    return refuse(path, e);
  }

  if (session.phase() == Phase::watched) {
    // The last frame stays, repaints included, until the window is closed.
    PictureBox& field = w.field();
    if (field.presentCount() > 0) field.setPicture(field.lastFrame().copy());
    w.setWindowTitle(QStringLiteral("Kinopa — recording, ended"));
  }
  while (session.phase() == Phase::watched) {
    session.tendSound(false);
    if (const auto due = session.soundDue()) {
      pump.yieldUntil(*due);
    } else {
      pump.yield(true);
    }
  }
  session.shutdown();
  return 0;
}

}  // namespace kinopa
