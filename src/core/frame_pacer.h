#pragma once
// When the main loop's frames are due, as every front end paces them: a
// fixed rate, started afresh after a stall, and a frame taken a little early
// where the display's refresh would otherwise make it late.
#include <chrono>
#include <optional>

namespace kinopa {

class FramePacer {
 public:
  using Clock = std::chrono::steady_clock;
  // 8 ms: about 125 frames a second, and well inside the 10 ms beyond which
  // the rules drop a frame, however the wake-ups jitter.
  static constexpr std::chrono::microseconds kFramePeriod{8000};
  // The browser's drawing of the page holds its main thread for a few
  // milliseconds after the display's refresh: a frame due that soon would
  // come late.
  static constexpr std::chrono::microseconds kDrawingTime{4000};

  // A frame's step ran from `began` to `ended`: when the next frame is due.
  // Frames keep a fixed rate, each a period after the one before was due,
  // so a late one shortens the wait for the next; the count starts afresh
  // at the first frame, after a stall (a step that ended more than a period
  // after it was due) and after a frame taken early (from when it was
  // taken).
  Clock::time_point frameRan(Clock::time_point began, Clock::time_point ended);
  // No frame is pending any more: the next one starts the count afresh.
  void stop() { due_.reset(); }
  std::optional<Clock::time_point> due() const { return due_; }
  // The display refreshes at `now`: whether the pending frame is best taken
  // now, as it is due before the page's drawing would let it run.
  bool takeEarly(Clock::time_point now) const { return due_ && *due_ - now < kDrawingTime; }

 private:
  std::optional<Clock::time_point> due_;
};

}  // namespace kinopa
