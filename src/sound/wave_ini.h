#pragma once
// wave.ini: the sound settings and the highest score, kept between runs in
// six lines in the sound folder. The controls of the sound settings dialog
// are the working copy; this file is their saved copy.
#include <cstdint>
#include <string>

#include "sound/sound_controls.h"

namespace kinopa {

// The settings file's name, in the player's folder.
inline constexpr const char* kWaveIniName = "wave.ini";

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

// Whether settings file bytes read through without a problem; the settings
// and the score they hold go to `settings` and `stored` when given.
bool readsCleanly(const std::string& bytes, SoundControls* settings = nullptr,
                  int32_t* stored = nullptr);

// Where a damaged settings file `path` holding `bytes` is kept when the
// settings are next saved: wave.ini.bak, or when that holds another damaged
// file, the first of wave.ini.bak.1, .bak.2 ... that is free or holds these
// very bytes. No damaged file replaces another, so none takes a record with
// it.
std::string keptCopyPath(const std::string& path, const std::string& bytes);

// The bytes of wave.ini for the controls' values and `highScore`.
std::string waveIniBytes(SoundControls& controls, int32_t highScore);

// Replaces wave.ini with the controls' values and `highScore` in one step. A
// file that cannot be written is shown in a message box and left as it was.
// A damaged file is first kept (see keptCopyPath), so what it still holds
// (the record, say) is never lost. With `onlyIfChanged` (at shutdown) a file
// that already holds these bytes is left alone.
void waveiniwrite(SoundControls& controls, int32_t highScore, bool onlyIfChanged = false);

// A game ended with a new highest score: it is saved at once, with the
// settings as they were saved (changes in the sound settings dialog not yet
// confirmed with OK stay out), or, when the file is missing or damaged, with
// the controls' values as waveiniwrite would. Nothing is written when the
// file holds these bytes already.
void saveHighScore(SoundControls& controls, int32_t highScore);

// Titles of the two message boxes.
inline constexpr const char* kWaveIniReadTitle = "wave.iniファイルに何か問題あるみたいです。";
inline constexpr const char* kWaveIniWriteTitle = "wave.iniファイルに保存できませんでした。";


}  // namespace kinopa
