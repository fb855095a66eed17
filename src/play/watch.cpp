#include "play/watch.h"

namespace kinopa {

// Read from the disk as it plays: once through to check it and find its last
// game, then again to play it.
Watch::Watch(const std::string& path, std::string name)
    : recording_(path, std::move(name)),
      search_(std::make_unique<LastGameSearch>(recording_.reader(), recording_.name())) {}

double Watch::check(Clock::duration slice) {
  if (!search_) return 1;
  if (!search_->step(slice)) return recording_.shareRead();
  lastGame_ = search_->last();
  search_.reset();
  recording_.rewind();
  return 1;
}

void Watch::checkWhole() {
  while (check(std::chrono::hours(1)) < 1) {
  }
}

Watch::~Watch() = default;

PlaySession& Watch::begin(SessionFront& front) {
  session_ = std::make_unique<PlaySession>(Services{tick_, random_, recorded_, Mode::watch}, front);
  player_ = std::make_unique<ScriptPlayer>(*session_, tick_, random_);
  return *session_;
}

void Watch::openSound() {
  if (soundOpened_) return;
  // Start-up as usual: the sound settings are read and the sounds loaded
  // once, at the recording's first command.
  session_->createSoundDevice();
  soundOpened_ = true;
}

double Watch::fastForward(Clock::duration slice) {
  if (search_) throw Error("the recording is not checked yet");
  const Clock::time_point until = Clock::now() + slice;
  openSound();
  ReplayCommand c;
  while (done_ < lastGame_) {
    if (!recording_.next(c))
      throw damagedRecording("it changed while it played", recording_.name());
    player_->run(c);
    // The clock is read now and then.
    if (++done_ % 256 == 0 && Clock::now() >= until) break;
  }
  if (done_ < lastGame_) return static_cast<double>(done_) / static_cast<double>(lastGame_);
  session_->showFrames(true);
  return 1;
}

void Watch::hold(bool held, Clock::time_point now) {
  if (held && !heldAt_) heldAt_ = now;
  if (!held && heldAt_) {
    if (begin_) *begin_ += now - *heldAt_;
    heldAt_.reset();
  }
}

std::optional<Watch::Clock::time_point> Watch::playDue(Clock::time_point now) {
  if (search_) throw Error("the recording is not checked yet");
  openSound();
  if (!begin_) {
    begin_ = now;
    firstTick_ = tick_.now;
  }
  while (session_->phase() == Phase::watching) {
    if (!pending_) {
      ReplayCommand c;
      if (!recording_.next(c)) {
        session_->watchEnded();
        break;
      }
      pending_ = std::move(c);
    }
    if (pending_->kind == ReplayCommand::tick) {
      const Clock::time_point due =
          *begin_ + std::chrono::milliseconds(static_cast<int64_t>(pending_->number) - firstTick_);
      if (due > now) return due;
    }
    player_->run(*pending_);
    const bool frame = pending_->kind == ReplayCommand::frame;
    pending_.reset();
    if (frame) return now;  // the window system has its turn after each frame
  }
  return std::nullopt;
}

}  // namespace kinopa
