// The main window's side of the sound: settings file, loading, playback and
// the sound settings dialog. (Being built; see the sound settings work.)
#include "app/draw_w.h"

namespace kinopa {

void DrawW::waveiniread() {}
void DrawW::loadwavex() {}
void DrawW::halt(Sound) {}
void DrawW::restart(Sound) {}
void DrawW::musicStep() {}
void DrawW::waveiniwrite() {}
void DrawW::closeSoundMenu() {}
void DrawW::Command1_Click() {}

}  // namespace kinopa
