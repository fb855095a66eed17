#pragma once
// The game on the page: the player's run, recorded as on the desktop with
// its best game kept, or a recording watched; one at a time, on one front
// end. The page's scheduler runs the loop a step at a time.
#include <memory>
#include <optional>
#include <string>

#include "play/play_session.h"
#include "play/player_run.h"
#include "play/script_player.h"
#include "play/watch.h"
#include "page/web_front.h"

namespace kinopa {

class WebProgram {
 public:
  WebProgram();
  ~WebProgram();

  // The player's run begins: the player's folder prepared, the sound device
  // opened, start-up done; no game runs yet.
  void play();
  // The session shown now: the player's, or the watch's.
  PlaySession& session() { return watch_ ? watch_->session() : *session_; }
  WebFront& front() { return front_; }
  // The whole run's recording so far (for a bug report), and the best game's
  // file.
  std::string runRecording() const;
  std::string bestGamePath() const;

  // Watching the recording at `path`. It is checked whole first: one that
  // cannot be watched is said in a message box, and the player's run goes
  // on as it was (false). Otherwise the player's run ends as 終了 ends it
  // (everything saved), and the recording plays.
  bool watch(const std::string& path);
  // The run before the last game, for `sliceMs`: the share done.
  double watchForward(double sliceMs);
  // The last game's commands due by now: when the next is due, in ms from
  // now, or none at the end.
  std::optional<double> watchPlay();
  // Back from watching to a new run of the player's.
  void endWatching();

 private:
  WebFront front_;
  NoEvents pump_;
  std::unique_ptr<PlayerRun> run_;
  std::unique_ptr<PlaySession> session_;  // the player's
  std::unique_ptr<Watch> watch_;
};

}  // namespace kinopa
