#pragma once
#include <chrono>
#include <memory>

class QSocketNotifier;

namespace kinopa {

// The main loop's yield to the window system.
class EventPump {
 public:
  virtual ~EventPump() = default;
  // Runs the pending window events to completion. With `waitForEvent` it
  // first sleeps until at least one event has arrived.
  virtual void yield(bool waitForEvent) = 0;
  // After a frame: runs window events as they arrive, at once, until the
  // next frame is due. Frames are due one period apart.
  virtual void yieldUntilNextFrame() = 0;
  // Sleeps until a window event arrives or the steady clock reaches `due`,
  // whichever comes first, then runs the pending events. Pumps with no clock
  // of their own (scripted runs) just run what is pending.
  virtual void yieldUntil(std::chrono::steady_clock::time_point due) {
    (void)due;
    yield(false);
  }
};

// Qt's event processing. An error from an event handler (see guarded()) is
// raised again here once the events have run.
class QtEventPump : public EventPump {
 public:
  QtEventPump();
  ~QtEventPump() override;

  // 8 ms: about 125 frames a second, and well inside the 10 ms beyond which
  // a frame is dropped, however the wake-ups jitter.
  static constexpr std::chrono::microseconds kFramePeriod{8000};

  void yield(bool waitForEvent) override;
  void yieldUntilNextFrame() override;
  // To the microsecond: a timer file descriptor wakes the window system's
  // wait (Qt's own timers count whole milliseconds, which left frames up to a
  // millisecond late).
  void yieldUntil(std::chrono::steady_clock::time_point due) override;

 private:
  std::chrono::steady_clock::time_point nextFrame_{};
  int timerFd_ = -1;
  std::unique_ptr<QSocketNotifier> timerWake_;
};

}  // namespace kinopa
