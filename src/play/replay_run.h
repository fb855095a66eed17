#pragma once
// Running a replay script, as kinopa-replay does.
#include <ostream>
#include <string>

#include "play/replay_script.h"

namespace kinopa {

// Runs a script, checked before, on a play session of its own with no window
// system, off the settings file and without sound, as it reads it, printing
// a state line after each frame to `out`; `shot` writes the play field as
// last shown (`fieldPicture` names the field's own picture, shown before the
// first frame). Returns 0 when the script ran through; when the rules raise
// an error it prints "error overflow" or "error random" (others: "error"
// and the description) and returns 1.
int runReplay(ScriptReader& script, std::ostream& out, const std::string& fieldPicture = {});

}  // namespace kinopa
