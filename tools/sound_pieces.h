#pragma once
// The game's five sounds, before they are levelled and written.
#include "sound_kit.h"

namespace kinopa::sound {

// zarupok.wav: the player caught the zarup. A bright rising two-note chime.
Track catchSound();
// zarupfall.wav: the zarup hit the ground. A dull thud sinking in pitch.
Track fallSound();
// melkitok.wav: the player clicked the melkit. A quick, happy arpeggio.
Track hitSound();
// melkitmiss.wav: a click that missed. A small soft downward blip.
Track missSound();
// music.wav: a light marimba tune over bass and a soft beat, a loop of eight
// bars rendered round a circular track so its end flows into its start.
Track musicLoop();

}  // namespace kinopa::sound
