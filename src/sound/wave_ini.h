#pragma once
// wave.ini: the sound settings and the highest score, kept between runs in
// six lines in the sound folder. The controls of the sound settings dialog
// are the working copy; this file is their saved copy.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "core/errors.h"
#include "core/player_text.h"
#include "sound/settings_values.h"
#include "sound/sound_controls.h"

namespace kinopa {

// The settings file's name, in the player's folder.
inline constexpr const char* kWaveIniName = "wave.ini";

// The sound folder: sound names without a full path load from here.
std::string soundFolder();
// The settings file: in the sound folder of a portable copy, in the player's
// own folder of an installed game.
std::string waveIniPath();

// The record kept elsewhere than in wave.ini (the best game's own score),
// asked for only when wave.ini cannot be read whole; none when there is none.
using KeptRecord = std::function<std::optional<int32_t>()>;

// Reads wave.ini into the controls and the highest score, which never goes
// down: a record already reached in this run stays. A problem is shown in one
// message box. A missing file leaves the controls as they are; in a damaged
// one, each sound's line and the score's that stand as the game writes them
// are taken, and the sounds whose lines do not get their first settings
// (SettingsValues'). Either way the highest score is at least `kept`'s.
void waveiniread(SoundControls& controls, int32_t& highScore, const KeptRecord& kept = {});

// What the text of a settings file holds. Clean: every item read by the
// file's rules, every name one the file can keep. Damaged: the lines that
// stand as the game writes them, the first settings for the other sounds.
struct WaveIniContents {
  SettingsValues settings;
  std::optional<int32_t> score;  // none when it could not be read
  std::optional<Error> damage;   // what is wrong with a damaged file
  bool firstSettingsTaken = false;  // damaged, and some sound could not be read
};
// `text` is the file's contents as UTF-8 (utf8Text); `path` is the file the
// damage names.
WaveIniContents readWaveIni(const std::string& text, const std::string& path);

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

// Why wave.ini cannot keep `name` as a sound's file name, or an empty text
// when it can: its reader ends a name at a double quote and an item at a
// line break, and takes a file that is not all UTF-8 for code page 932.
PlayerText unkeptName(const std::string& name);

// The line of wave.ini (without its line end) for one sound's values.
std::string waveIniLine(const std::string& name, int16_t fullPath, int16_t off);

// The bytes of wave.ini for the controls' values and `highScore`. Every
// line is read back before it is taken: one the reader would read otherwise
// (a name the file cannot keep) is refused with an Error saying why, and
// nothing is written.
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
// file holds these bytes already. False when it could not be saved (said in
// a message box).
bool saveHighScore(SoundControls& controls, int32_t highScore);

// Titles of the two message boxes.
inline constexpr const char* kWaveIniReadTitle = "wave.iniファイルに何か問題あるみたいです。";
inline constexpr const char* kWaveIniWriteTitle = "wave.iniファイルに保存できませんでした。";


}  // namespace kinopa
