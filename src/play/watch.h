#pragma once
// Watching a recording, set up once for every front end: the file is opened
// and checked whole before it plays; then it plays on a session of its own,
// through that session's passes: the run before its last game unseen and
// unheard, then the last game at its recorded pace, its last frame staying.
// In steps, so that any front end can show progress, take a Cancel and keep
// its window system (or page) answering between them.
#include <chrono>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>

#include "play/play_session.h"
#include "play/recording_file.h"
#include "play/script_player.h"

namespace kinopa {

class Watch {
 public:
  using Clock = std::chrono::steady_clock;

  // How a front end goes through a long recording: a slice of this much at a
  // time, its own events between; once it has taken longer than
  // kProgressAfter, a progress bar shows the share done.
  static constexpr std::chrono::milliseconds kSlice{20};
  static constexpr std::chrono::milliseconds kProgressAfter{330};

  // Opens the recording at `path`: its first and last lines say it is a
  // whole recording. Throws NotARecording saying why, naming the file
  // `name`, the file as the player knows it (its path when none is given).
  explicit Watch(const std::string& path, std::string name = {});
  // Reads it through once, for about `slice`: checked whole (every line a
  // command watching can carry out, the rules playing it through, a game in
  // it) and its last game found. Returns the share read, 1 once done. Throws
  // NotARecording saying why; nothing of the watch's session is touched
  // before it is done, nor of any other.
  double check(Clock::duration slice);
  // The same, at once.
  void checkWhole();
  ~Watch();
  Watch(const Watch&) = delete;
  Watch& operator=(const Watch&) = delete;

  // Whether beginning a watch would end a game the player is playing in
  // `player`, for a front end that asks first.
  static bool endsGame(const PlaySession& player) { return player.phase() == Phase::running; }

  // The watch's session, made on `front`; the first step opens its sound
  // device and runs its start-up, once the front end's window is there.
  PlaySession& begin(SessionFront& front);
  PlaySession& session() { return *session_; }

  // Once checked: the run before the last game, for up to `slice` of time;
  // returns the share of it done, 1 once the last game is reached (its
  // frames then shown).
  double fastForward(Clock::duration slice);
  // The last game's commands that are due by `now` on the recorded clock,
  // which starts with the first call; returns when the next one is due, or
  // nothing once the watch is over (the recording played to its end:
  // Phase::watched; or the program ending).
  std::optional<Clock::time_point> playDue(Clock::time_point now);
  // The recorded clock stands from `now` while held (the front end cannot
  // show the watch: a hidden page), and goes on from there once let go.
  void hold(bool held, Clock::time_point now);

 private:
  void openSound();

  ScriptTick tick_;
  ScriptRandom random_;
  // The recording is the session's window system: nothing to wait for.
  NoEvents recorded_;
  Recording recording_;
  std::unique_ptr<LastGameSearch> search_;  // until the recording is checked
  std::size_t lastGame_ = 0;
  std::unique_ptr<PlaySession> session_;
  std::unique_ptr<ScriptPlayer> player_;
  bool soundOpened_ = false;
  std::size_t done_ = 0;  // commands played
  std::optional<ReplayCommand> pending_;
  std::optional<Clock::time_point> begin_;
  std::optional<Clock::time_point> heldAt_;
  int32_t firstTick_ = 0;
};

}  // namespace kinopa
