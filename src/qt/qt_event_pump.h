#pragma once
// Qt's event processing as the main loop's yield.
#include <chrono>
#include <memory>

#include "core/event_pump.h"
#include "core/frame_pacer.h"

class QSocketNotifier;

namespace kinopa {

// Qt's event processing. An error from an event handler (see guarded()) is
// raised again here once the events have run.
class QtEventPump : public EventPump {
 public:
  QtEventPump();
  ~QtEventPump() override;

  void yield(bool waitForEvent) override;
  // Until the frame the pacer says is due; window events run meanwhile.
  void yieldUntilNextFrame() override;
  void yieldUntil(std::chrono::steady_clock::time_point due) override;

 private:
  // Sleeps until a window event arrives or the clock reaches `due`, then runs
  // the pending events. To the microsecond: a timer file descriptor wakes the
  // window system's wait (Qt's own timers count whole milliseconds, which
  // left frames up to a millisecond late).
  void waitUntil(std::chrono::steady_clock::time_point due);

  FramePacer pacer_;
  std::chrono::steady_clock::time_point frameBegan_{};
  int timerFd_ = -1;
  std::unique_ptr<QSocketNotifier> timerWake_;
};

}  // namespace kinopa
