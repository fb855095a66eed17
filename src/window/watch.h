#pragma once
// kinopa --watch: a recording played in the game's window.
#include <chrono>
#include <string>

namespace kinopa {

// kinopa --watch FILE: plays a recording in the game's window, which shows at
// once. The recording is read through and the run before its last game goes
// by, unseen and unheard (from a third of a second after `began`, the
// program's start, with a progress dialog whose Cancel ends the program, as
// closing the window does); the last game plays at its recorded pace, with
// sounds as the settings say, and its last frame stays until the window is
// closed. The buttons and the mouse do nothing meanwhile. A file that is not
// a whole recording gives one message and exit status 2; otherwise 0.
int watchRecording(const std::string& path, std::chrono::steady_clock::time_point began);

}  // namespace kinopa
