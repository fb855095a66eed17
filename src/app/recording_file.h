#pragma once
// Recording files as the game writes them: a replay script that starts with
// the recording's header line and ends with its end line.
#include <stdexcept>
#include <string>
#include <vector>

#include "app/replay_script.h"
#include "platform/errors.h"

namespace kinopa {

// Why a file cannot be watched: `why` for standard error, `text` for the
// player.
class NotARecording : public Error {
 public:
  NotARecording(const std::string& why, PlayerText text) : Error(why, std::move(text)) {}
};

// The commands of a whole recording. A file that cannot be read, is not a
// recording, was cut short or holds a line that is not a command throws
// NotARecording saying so.
std::vector<ReplayCommand> readRecording(const std::string& path);

// Where the recording's last game begins: the index of the last click on
// Start that found no game running, found by playing the rules through.
// A recording without a game, or one whose rules fail, throws NotARecording
// naming the file at `path`.
std::size_t lastGameStart(const std::vector<ReplayCommand>& script, const std::string& path);

}  // namespace kinopa
