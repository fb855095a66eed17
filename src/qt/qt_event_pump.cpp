#include "qt/qt_event_pump.h"

#include <sys/timerfd.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QSocketNotifier>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <string>

#include "core/errors.h"

namespace kinopa {

namespace {

PlatformError timerError(const char* operation) {
  return PlatformError("EventPump", operation, std::strerror(errno));
}

}  // namespace

QtEventPump::QtEventPump() = default;

QtEventPump::~QtEventPump() {
  timerWake_.reset();
  if (timerFd_ >= 0) close(timerFd_);
}

void QtEventPump::yield(bool waitForEvent) {
  pacer_.stop();  // no game runs
  QCoreApplication::processEvents(waitForEvent ? QEventLoop::WaitForMoreEvents
                                               : QEventLoop::AllEvents);
  rethrowDeferred();
}

void QtEventPump::yieldUntilNextFrame() {
  using Clock = std::chrono::steady_clock;
  const Clock::time_point due = pacer_.frameRan(frameBegan_, Clock::now());
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  rethrowDeferred();
  while (Clock::now() < due) waitUntil(due);
  frameBegan_ = Clock::now();
}

void QtEventPump::yieldUntil(std::chrono::steady_clock::time_point due) {
  pacer_.stop();  // no game runs
  waitUntil(due);
}

void QtEventPump::waitUntil(std::chrono::steady_clock::time_point due) {
  if (timerFd_ < 0) {
    // The steady clock is CLOCK_MONOTONIC, so its times arm the timer as
    // they are.
    timerFd_ = timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
    if (timerFd_ < 0) throw timerError("timerfd_create");
    timerWake_ = std::make_unique<QSocketNotifier>(timerFd_, QSocketNotifier::Read);
    QObject::connect(timerWake_.get(), &QSocketNotifier::activated, [fd = timerFd_] {
      uint64_t expirations = 0;
      // Clears the wake-up; nothing to read means it was cleared already.
      if (read(fd, &expirations, sizeof expirations) < 0 && errno != EAGAIN)
        deferError(std::make_exception_ptr(timerError("read")));
    });
  }
  const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(due.time_since_epoch());
  itimerspec at{};
  at.it_value.tv_sec = static_cast<time_t>(ns.count() / 1000000000);
  at.it_value.tv_nsec = static_cast<long>(ns.count() % 1000000000);
  if (at.it_value.tv_sec == 0 && at.it_value.tv_nsec == 0) at.it_value.tv_nsec = 1;
  if (timerfd_settime(timerFd_, TFD_TIMER_ABSTIME, &at, nullptr) != 0)
    throw timerError("timerfd_settime");
  QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  rethrowDeferred();
}

}  // namespace kinopa
