#pragma once
// The player's ten best games. Each game that ends (time up, Pause, or the
// program ending) with a score above 0 that makes the ten is kept as its
// recording alone (Recorder::gameText(): from the state its game started
// in, so it watches as it is), one file a game in the folder best-games/
// beside wave.ini, named for the moment the game ended and its score:
//
//   best-games/2026-12-08_09-57-39.123+0900_131.kinopa
//
// The folder is the table: read back, its games rank by score, the earlier
// ahead of the later on an equal score, and the ten first are the ten best.
// There is no index to keep in step: a game is kept by one whole write, and
// one that fell out of the ten but could not be removed (a crash between the
// two, say) ranks eleventh and goes the next time.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/local_time.h"

namespace kinopa {

class Recorder;

// The folder's name, in the player's folder.
inline constexpr const char* kTenBestName = "best-games";
inline constexpr std::size_t kTenBestCount = 10;

struct KeptGame {
  LocalTime ended;   // when it ended, where the player was
  int32_t score = 0;
  std::string path;  // its recording
};

// A kept game's file name, and back: none for a name not made so.
std::string keptGameName(const LocalTime& ended, int32_t score);
std::optional<KeptGame> keptGameNamed(const std::string& name);

// The games kept in `folder`, best first: all of them, or the ten best.
// Throws PlatformError when the folder cannot be read.
std::vector<KeptGame> keptGamesIn(const std::string& folder);
std::vector<KeptGame> tenBestIn(const std::string& folder);

class TenBest {
 public:
  // `folder`: the player's best-games/, ending in "/" ("" when the player
  // has no folder).
  explicit TenBest(std::string folder) : folder_(std::move(folder)) {}

  // A game ended with `score`: its recording is kept, dated now, if it is
  // among the ten best, and any game it pushed out of the ten goes. Returns
  // whether it was kept. A failed keep is said on standard error, and the
  // first one of the run in a message box too; play goes on.
  bool gameEnded(int32_t score, const Recorder& recorder);

  // Removes what saves cut short by a crash or a kill left in `folder`.
  static void clearSaveLeftovers(const std::string& folder);

  const std::string& folder() const { return folder_; }

 private:
  std::string folder_;
  bool failureShown_ = false;
};

// The title of the message box about a game that could not be kept.
inline constexpr const char* kTenBestTitle = "best-gamesフォルダに保存できませんでした。";

}  // namespace kinopa
