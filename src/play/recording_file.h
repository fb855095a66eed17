#pragma once
// Recording files as the game writes them: a replay script that starts with
// the recording's header line and ends with its end line.
#include <chrono>
#include <cstdint>
#include <fstream>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "play/replay_script.h"
#include "core/errors.h"

namespace kinopa {

// Why a file cannot be watched: `why` for standard error, `text` for the
// player.
class NotARecording : public Error {
 public:
  NotARecording(const std::string& why, PlayerText text) : Error(why, std::move(text)) {}
};

// A recording file, read as it plays: a command at a time from the disk, so
// that watching a recording of any length takes the same memory. Opening it
// checks that it is a recording and ends as one; its commands are checked as
// they are read (lastGameStart reads them all once, before anything plays).
class Recording {
 public:
  // Throws NotARecording when the file cannot be read, is not a recording,
  // or was cut short. Messages name it `name`, the file as the player knows
  // it (its path when none is given).
  explicit Recording(const std::string& path, std::string name = {});

  // The next command; false at the end. A line that is not a command throws
  // NotARecording saying the file is damaged.
  bool next(ReplayCommand& c);
  // Back to the first command.
  void rewind();
  // The share of the file read so far, 0 to 1.
  double shareRead();
  const std::string& path() const { return path_; }
  const std::string& name() const { return name_; }
  ScriptReader& reader() { return reader_; }

 private:
  std::string path_;
  std::string name_;
  std::ifstream file_;
  std::streamoff size_ = 0;
  ScriptReader reader_{file_};
};

// The score a recording's last frame shows (its "# last" line), read from
// the end of the file: the score of its last game. None when the file is
// not there or holds no such line.
std::optional<int32_t> lastScoreIn(const std::string& path);

// A recording damaged inside: `path` named for the player.
NotARecording damagedRecording(const std::string& why, const std::string& path);

// Where the script's last game begins: the index of the last click on Start
// that found no game running, found by playing the rules through the whole
// script from where `script` stands, as watching it would. A script without
// a game, with a line that is not a command or a command watching cannot
// carry out (`shot`, named by its line), or whose rules fail, throws
// NotARecording naming the file at `path`.
std::size_t lastGameStart(ScriptReader& script, const std::string& path);
inline std::size_t lastGameStart(Recording& recording) {
  return lastGameStart(recording.reader(), recording.name());
}

// The same search, a slice of time at a time, so that a front end can show
// how far it got (a recording of 100 MB takes seconds).
class LastGameSearch {
 public:
  LastGameSearch(ScriptReader& script, std::string path);
  ~LastGameSearch();
  LastGameSearch(const LastGameSearch&) = delete;
  LastGameSearch& operator=(const LastGameSearch&) = delete;

  // Reads on for about `slice`: true once the script's end is reached and
  // last() found. Throws NotARecording as lastGameStart does.
  bool step(std::chrono::steady_clock::duration slice);
  std::size_t last() const { return last_; }

 private:
  struct Rules;
  ScriptReader& script_;
  std::string path_;
  std::unique_ptr<Rules> rules_;
  std::size_t read_ = 0;
  std::size_t last_;
};

}  // namespace kinopa
