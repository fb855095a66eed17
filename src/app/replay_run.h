#pragma once
#include <ostream>

#include "app/replay_script.h"

namespace kinopa {

// Runs a script, checked before, through a main window made for it, off the
// settings file and without sound, as it reads it, printing a state line
// after each frame to `out`. Returns 0 when the script ran through; when the
// rules raise an error it prints "error overflow" or "error random" (others:
// "error" and the description) and returns 1.
int runReplay(ScriptReader& script, std::ostream& out);

}  // namespace kinopa
