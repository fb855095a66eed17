#include "platform/event_pump.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include "platform/errors.h"

namespace kinopa {

void QtEventPump::yield(bool waitForEvent) {
  QCoreApplication::processEvents(waitForEvent ? QEventLoop::WaitForMoreEvents
                                               : QEventLoop::AllEvents);
  rethrowDeferred();
}

void QtEventPump::yieldUntilNextFrame() {
  using Clock = std::chrono::steady_clock;
  // Frames keep a fixed rate: each is due one period after the one before,
  // so a late wake-up shortens the next wait instead of slowing the game.
  // After a long stall (or at the first frame) the schedule starts afresh.
  Clock::time_point now = Clock::now();
  nextFrame_ += kFramePeriod;
  if (now - nextFrame_ > kFramePeriod) nextFrame_ = now + kFramePeriod;

  QCoreApplication::processEvents(QEventLoop::AllEvents);
  rethrowDeferred();

  QTimer wake;
  wake.setSingleShot(true);
  wake.setTimerType(Qt::PreciseTimer);
  while ((now = Clock::now()) < nextFrame_) {
    // Whole milliseconds, rounded up: never wake before the frame is due.
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(nextFrame_ - now);
    wake.start(static_cast<int>(wait.count()));
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    rethrowDeferred();
  }
}

}  // namespace kinopa
