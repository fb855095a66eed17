#pragma once
// Why a file could not be written, said to the player: what the back ends'
// file writing puts into the error it throws.
#include <string>

#include "core/player_text.h"

namespace kinopa {

// "The file %1 cannot be written." with its reason: what the disk shows (a
// folder in the file's place, no folder to hold it, a folder or a file that
// may not be written, a read-only disk, a full disk), or `errorNumber` (the
// errno of the call that failed, 0 when not known) says; failing both, the
// system's own `description`.
PlayerText unwritableFile(const std::string& path, int errorNumber, const std::string& description);

}  // namespace kinopa
