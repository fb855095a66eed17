#pragma once
// kinopa --watch: a recording played in the game's window.
#include <string>

namespace kinopa {

// kinopa --watch FILE: plays a recording in the game's window. The run before
// its last game goes by at once, unseen and unheard (past half a second with
// a progress dialog whose Cancel ends the program, as closing the window
// does); the last game plays at
// its recorded pace, with sounds as the settings say, and its last frame
// stays until the window is closed. The buttons and the mouse do nothing
// meanwhile. A file that is not a whole recording gives one message and
// exit status 2; otherwise 0.
int watchRecording(const std::string& path);

}  // namespace kinopa
