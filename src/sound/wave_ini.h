#pragma once
// wave.ini: the sound settings and the highest score, kept between runs in
// six lines in the sound folder. The controls of the sound settings dialog
// are the working copy; this file is their saved copy.
#include <cstdint>
#include <string>

#include "sound/sound_controls.h"

namespace kinopa {

// The sound folder: sound names without a full path load from here.
std::string soundFolder();
// The settings file: in the sound folder of a portable copy, in the player's
// own folder of an installed game.
std::string waveIniPath();

// Reads wave.ini into the controls, line by line, and the highest score,
// which never goes down: a record already reached in this run stays. Any
// problem stops the reading where it arose and is shown in one message box;
// what was applied before stays applied, the rest keeps its value.
void waveiniread(SoundControls& controls, int32_t& highScore);

// The bytes of wave.ini for the controls' values and `highScore`.
std::string waveIniBytes(SoundControls& controls, int32_t highScore);

// Replaces wave.ini with the controls' values and `highScore` in one step. A
// file that cannot be written is shown in a message box and left as it was.
void waveiniwrite(SoundControls& controls, int32_t highScore);

// Titles of the two message boxes.
inline constexpr const char* kWaveIniReadTitle = "wave.iniファイルに何か問題あるみたいです。";
inline constexpr const char* kWaveIniWriteTitle = "wave.iniファイルに保存できませんでした。";

}  // namespace kinopa
