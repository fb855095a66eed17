#pragma once
// Recording files as the game writes them: a replay script that starts with
// the recording's header line and ends with its end line.
#include <stdexcept>
#include <string>
#include <vector>

#include "app/replay_script.h"

namespace kinopa {

class NotARecording : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The commands of a whole recording. A file that cannot be read, is not a
// recording, was cut short or holds a line that is not a command throws
// NotARecording saying so.
std::vector<ReplayCommand> readRecording(const std::string& path);

// Where the recording's last game begins: the index of the last click on
// Start that found no game running, found by playing the rules through.
// A recording without a game, or one whose rules fail, throws NotARecording.
std::size_t lastGameStart(const std::vector<ReplayCommand>& script);

}  // namespace kinopa
