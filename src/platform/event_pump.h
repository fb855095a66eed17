#pragma once
#include <chrono>

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
};

// Qt's event processing. An error from an event handler (see guarded()) is
// raised again here once the events have run.
class QtEventPump : public EventPump {
 public:
  // 8 ms: about 125 frames a second, and well inside the 10 ms beyond which
  // a frame is dropped, however the wake-ups jitter.
  static constexpr std::chrono::microseconds kFramePeriod{8000};

  void yield(bool waitForEvent) override;
  void yieldUntilNextFrame() override;

 private:
  std::chrono::steady_clock::time_point nextFrame_{};
};

}  // namespace kinopa
