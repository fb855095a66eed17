#pragma once
// The best game: when a game ends with a score above the record it had to
// beat, and above the score of the best game kept before (read from that
// file, whatever wave.ini says), the recording of that game alone, from the
// state the run before it left, is kept, replacing the last one at once, as
// "best-game.kinopa" beside wave.ini.
#include <cstdint>
#include <string>

namespace kinopa {

class Recorder;

class BestGame {
 public:
  explicit BestGame(std::string path) : path_(std::move(path)) {}

  // A game began; `record` is the highest score its preparation left.
  void gameStarted(int32_t record) {
    record_ = record;
    running_ = true;
  }
  // The game ended (time up, Pause, or the program ending). Returns whether
  // it was saved. A failed save is said on standard error, and the first one
  // of the run in a message box too; play goes on.
  bool gameEnded(int32_t score, const Recorder& recorder);

  const std::string& path() const { return path_; }

 private:
  std::string path_;
  int32_t record_ = 0;
  bool running_ = false;
  bool failureShown_ = false;
};

// The best game's file name, in the player's folder.
inline constexpr const char* kBestGameName = "best-game.kinopa";

// The title of the message box about a best game that could not be kept.
inline constexpr const char* kBestGameTitle = "best-game.kinopaファイルに保存できませんでした。";

}  // namespace kinopa
