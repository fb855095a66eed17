#include "play/watch_run.h"

namespace kinopa {

WatchRun::WatchRun(PlaySession& session, ScriptTick& tick, ScriptRandom& random,
                   Recording& recording, std::size_t lastGame)
    : session_(session),
      recording_(recording),
      tick_(tick),
      player_(session, tick, random),
      lastGame_(lastGame) {}

double WatchRun::fastForward(Clock::duration slice) {
  const Clock::time_point until = Clock::now() + slice;
  ReplayCommand c;
  while (done_ < lastGame_) {
    if (!recording_.next(c)) throw damagedRecording("it changed while it played", recording_.path());
    player_.run(c);
    // The clock is read now and then.
    if (++done_ % 256 == 0 && Clock::now() >= until) break;
  }
  if (done_ < lastGame_) return static_cast<double>(done_) / static_cast<double>(lastGame_);
  session_.showFrames(true);
  return 1;
}

std::optional<WatchRun::Clock::time_point> WatchRun::playDue(Clock::time_point now) {
  if (!begin_) {
    begin_ = now;
    firstTick_ = tick_.now;
  }
  while (session_.phase() == Phase::watching) {
    if (!pending_) {
      ReplayCommand c;
      if (!recording_.next(c)) {
        session_.watchEnded();
        break;
      }
      pending_ = std::move(c);
    }
    if (pending_->kind == ReplayCommand::tick) {
      const Clock::time_point due =
          *begin_ + std::chrono::milliseconds(static_cast<int64_t>(pending_->number) - firstTick_);
      if (due > now) return due;
    }
    player_.run(*pending_);
    const bool frame = pending_->kind == ReplayCommand::frame;
    pending_.reset();
    if (frame) return now;  // the window system has its turn after each frame
  }
  ended_ = true;
  return std::nullopt;
}

}  // namespace kinopa
