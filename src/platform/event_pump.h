#pragma once

namespace kinopa {

// The main loop's yield to the window system.
class EventPump {
 public:
  virtual ~EventPump() = default;
  // Runs the pending window events to completion. With `waitForEvent` it
  // first sleeps until at least one event has arrived.
  virtual void yield(bool waitForEvent) = 0;
};

// Qt's event processing. An error from an event handler (see guarded()) is
// raised again here once the events have run.
class QtEventPump : public EventPump {
 public:
  void yield(bool waitForEvent) override;
};

}  // namespace kinopa
