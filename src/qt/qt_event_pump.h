#pragma once
// Qt's event processing as the main loop's yield.
#include <chrono>
#include <memory>

#include "core/event_pump.h"

class QSocketNotifier;

namespace kinopa {

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
