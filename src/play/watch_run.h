#pragma once
// Watching a recording on a play session: the run before its last game goes
// by unseen and unheard, then the last game plays at its recorded pace, its
// last frame staying. In steps, so that any front end can show progress,
// take a Cancel and keep its window system (or page) answering between them.
#include <chrono>
#include <cstddef>
#include <optional>

#include "play/play_session.h"
#include "play/recording_file.h"
#include "play/script_player.h"

namespace kinopa {

class WatchRun {
 public:
  using Clock = std::chrono::steady_clock;

  // `recording` stands at its start, checked, its last game beginning at
  // command `lastGame` (lastGameStart). The session is made in Mode::watch on
  // `tick` and `random`, its sound device created; the recording's first
  // command starts it up.
  WatchRun(PlaySession& session, ScriptTick& tick, ScriptRandom& random, Recording& recording,
           std::size_t lastGame);

  // The run before the last game, for up to `slice` of time; returns the
  // share of it done, 1 once the last game is reached (its frames then
  // shown).
  double fastForward(Clock::duration slice);
  // The last game's commands that are due by `now` on the recorded clock,
  // which starts with the first call; returns when the next one is due, or
  // nothing at the end of the recording.
  std::optional<Clock::time_point> playDue(Clock::time_point now);
  bool ended() const { return ended_; }

 private:
  PlaySession& session_;
  Recording& recording_;
  ScriptTick& tick_;
  ScriptPlayer player_;
  std::size_t lastGame_ = 0;
  std::size_t done_ = 0;  // commands played
  std::optional<ReplayCommand> pending_;
  std::optional<Clock::time_point> begin_;
  int32_t firstTick_ = 0;
  bool ended_ = false;
};

}  // namespace kinopa
