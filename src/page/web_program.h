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
  // The player's whole run's recording so far (for a bug report; watching,
  // the run the watch ended), and the best game's file.
  std::string runRecording() const;
  std::string bestGamePath() const;

  // The hall of fame. Start, for the hall: where a click on Start would
  // begin a game, one begins from the hall's seed (PlaySession::
  // startHallGame). `seed` is the hall's decimal text of a 64-bit number and
  // `generator` the generator it names; false, and nothing done, for a seed
  // that is not such a number or a generator the game does not have.
  bool hallStart(const std::string& seed, const std::string& generator);
  // The seed of the player's hall game whose time has just run out, as
  // decimal text ("" when there is none), and that game's own recording,
  // what the hall proves.
  std::string hallGameOver() const;
  std::string gameRecording() const;
  // The player's ten best games, best first, a line each: the score, when
  // it ended (milliseconds since 1970 UTC) and its file, split by tabs.
  std::string tenBest() const;

  // Watching the recording at `path`, which the player knows as `name`.
  // It is checked whole first: one that cannot be watched is said in a
  // message box, and the player's run goes on as it was (refused). One that
  // would end the game the player is playing waits for the player's answer
  // (asking: see watchAnswered). Otherwise the player's run ends as 終了
  // ends it (everything saved; its recording stays to be had), a watch
  // before it ends, and the recording plays (watching).
  enum class Opened { refused, watching, asking };
  Opened watch(const std::string& path, const std::string& name);
  // The player's answer to the watch that asks: yes, it begins; no, the
  // game goes on as it was.
  bool watchAnswered(bool yes);
  // The run before the last game, for `sliceMs`: the share done.
  double watchForward();
  // The last game's commands due by now: when the next is due, in ms from
  // now, or none at the end.
  std::optional<double> watchPlay();
  // Back from watching to a new run of the player's.
  void endWatching();

  // The clock of the game shown stands while held: the page cannot run it
  // (its tab hidden), and the game, or the watch, goes on from the same
  // frame once let go.
  void holdClock(bool held);
  // What 終了 saves, saved now (the page goes out of sight or away).
  void saveNow();

 private:
  WebFront front_;
  NoEvents pump_;
  std::unique_ptr<PlayerRun> run_;
  std::unique_ptr<PlaySession> session_;  // the player's
  std::unique_ptr<Watch> watch_;
  std::unique_ptr<Watch> asking_;  // opened, waiting for the player's answer
};

}  // namespace kinopa
