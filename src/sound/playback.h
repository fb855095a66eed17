#pragma once
// When the sounds play. Each rule reads its sound's off box at that very
// moment (a change in the dialog acts at once, without OK); a sound switched
// off, or with no buffer loaded, is left alone and stays silent.
#include "sound/sound_buffers.h"
#include "sound/sound_controls.h"

namespace kinopa {

// Each pass of a running game: the music plays looping. Music already
// playing carries on where it is.
void playMusic(SoundControls& controls, SoundBuffers& buffers);

// Stop and rewind: the sound falls silent and next plays from its start.
void halt(SoundControls& controls, SoundBuffers& buffers, int row);

// Each pass of the main loop, a game running or not: music that plays while
// its off box is ticked is stopped and rewound, as halting it would do with
// the box clear. The off box is what turns playing music off.
void haltMusicSwitchedOff(SoundControls& controls, SoundBuffers& buffers);

// Stop, rewind and play once: an effect starts again from its beginning,
// cutting off its own earlier sounding.
void restart(SoundControls& controls, SoundBuffers& buffers, int row);

}  // namespace kinopa
