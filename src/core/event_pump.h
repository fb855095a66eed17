#pragma once
// The main loop's yield to the window system, as the program's front end
// provides it (Qt's event loop on the desktop; a script, or nothing, where
// no window system runs).
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
  // Sleeps until a window event arrives or the steady clock reaches `due`,
  // whichever comes first, then runs the pending events. Pumps with no clock
  // of their own (scripted runs) just run what is pending.
  virtual void yieldUntil(std::chrono::steady_clock::time_point due) {
    (void)due;
    yield(false);
  }
};

}  // namespace kinopa
