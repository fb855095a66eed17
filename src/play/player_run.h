#pragma once
// The player's own run, set up once for every front end: the clock and the
// random source, recorded as the rules read them; the best game and the ten
// best games kept from that recording; and the player's folder with its
// files, made on the game's first start.
#include <string>

#include "core/event_pump.h"
#include "core/folders.h"
#include "core/random.h"
#include "core/tick.h"
#include "play/best_game.h"
#include "play/play_session.h"
#include "play/recorder.h"
#include "play/ten_best.h"

namespace kinopa {

// The player's files, in the folder gameFolders() names ("" each when there
// is none: the home folder is not known).
struct PlayerFiles {
  explicit PlayerFiles(const GameFolders& folders);
  std::string folder;    // ending in "/"
  std::string settings;  // wave.ini
  std::string bestGame;  // best-game.kinopa
  std::string tenBest;   // best-games/, ending in "/"
};

class PlayerRun {
 public:
  // An installed game's first start makes the player's folder and gives it
  // the game's first wave.ini. The first start is the one that finds no
  // folder, or, where the folder is there before any start (the game's own
  // data folder when it is installed under ~/.local; the browser's storage),
  // finds neither wave.ini nor best-game.kinopa nor best-games/ in it. From
  // then on a missing wave.ini is the player's to hear about (the sound side
  // says so at every reading, and plays with the first settings). A portable
  // copy's build places its first wave.ini itself. What fails is said in a
  // message box; the game is played all the same.
  static void prepareFolder(const GameFolders& folders);
  // Removes what saves cut short by a crash or a kill left in the player's
  // folder. Only the copy that holds the folder may, never one beside
  // another that is saving right now. A failure is said on standard error:
  // the leftovers stay, harmlessly.
  static void clearSaveLeftovers(const GameFolders& folders);

  // The run of the player whose files `folders` names. `recordFile`: where
  // the whole run's recording goes at shutdown ("": nowhere).
  explicit PlayerRun(const GameFolders& folders, std::string recordFile = {});
  PlayerRun(const PlayerRun&) = delete;
  PlayerRun& operator=(const PlayerRun&) = delete;

  // The world of the player's session: the recorded clock and random
  // source, `pump`, the recorder, the best game and the ten best.
  Services services(EventPump& pump);
  // The run's clock stands while held (see SteadyTickCounter::hold): the
  // game goes on from the same frame once let go.
  void holdClock(bool held) { clock_.hold(held); }
  // The whole run's recording so far, closed as a file of it would be.
  std::string recording() const { return recorder_.text(); }
  // The latest game's recording alone (Recorder::gameText()).
  std::string gameRecording() const { return recorder_.gameText(); }

 private:
  SteadyTickCounter clock_;
  ClockSeededRandom randomness_;
  // Everything the rules read is recorded, so that a record game can be
  // kept and any run played back exactly.
  Recorder recorder_;
  RecordedTick tick_{clock_, recorder_};
  RecordedRandom random_{randomness_, recorder_};
  // With no folder for the player's files the game is still played; a
  // record game then says once that it cannot be kept.
  BestGame best_;
  TenBest tenBest_;
  std::string recordFile_;
};

}  // namespace kinopa
