// Reading wave.ini.
#include <algorithm>
#include <charconv>
#include <exception>
#include <optional>
#include <vector>

#include "core/errors.h"
#include "core/messages.h"
#include "core/folders.h"
#include "core/files.h"
#include "sound/wave_ini.h"
#include "sound/wave_ini_items.h"

namespace kinopa {
namespace {

// A box value read from the file, as the check box takes it.
int16_t boxValue(int16_t value, int box, const std::string& file) {
  if (!isCheckValue(value)) {
    throw Error("Invalid property value: Check" + std::to_string(box) + " cannot hold " +
                    std::to_string(value) + " (only 0, 1 or 2)",
                {QT_TRANSLATE_NOOP("kinopa", "The file %1 holds %2 for a check box, which "
                                             "takes only 0, 1 or 2."),
                 file, std::to_string(value)});
  }
  return value;
}

// A sound's file name read from the file, which it must be able to keep.
std::string keptName(std::string name, int row, const std::string& file) {
  if (!unkeptName(name).empty()) {
    throw Error("sound " + std::to_string(row) + "'s file name holds what wave.ini cannot keep",
                {QT_TRANSLATE_NOOP("kinopa", "The file %1 holds a sound file name with a double "
                                             "quote or a line break in it, which it cannot keep."),
                 file});
  }
  return name;
}

// The sixteen items of `text` by the file's rules: five sounds, then the
// score. Throws at the first problem.
void readItems(const std::string& text, const std::string& path, SettingsValues& settings,
               int32_t& stored) {
  WaveIniItems items(text, path);
  for (int row = 1; row <= kSoundRows; ++row) {
    const std::string name = keptName(items.text(), row, path);
    const int16_t fullPath = items.integer16();
    const int16_t off = items.integer16();
    settings.setText(textOf(row), name);
    settings.setCheck(fullPathBoxOf(row), boxValue(fullPath, fullPathBoxOf(row), path));
    settings.setCheck(offBoxOf(row), boxValue(off, offBoxOf(row), path));
  }
  stored = items.integer32();
}

// The lines of `text`, without their line ends (CR LF, or a lone LF or CR).
std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = text.starts_with("\xEF\xBB\xBF") ? 3 : 0;
  while (start < text.size()) {
    const std::size_t end = std::min(text.find_first_of("\r\n", start), text.size());
    lines.push_back(text.substr(start, end - start));
    start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
  }
  return lines;
}

// A sound's line of a damaged file, when it stands as the game writes one.
bool readLine(const std::string& line, SettingsValues& settings, int row) {
  if (!line.starts_with('"')) return false;
  const std::size_t close = line.find('"', 1);
  if (close == std::string::npos || line.size() != close + 5) return false;
  const std::string name = line.substr(1, close - 1);
  const auto box = [&](std::size_t at) { return static_cast<int16_t>(line[at] - '0'); };
  const int16_t fullPath = box(close + 2);
  const int16_t off = box(close + 4);
  if (!isCheckValue(fullPath) || !isCheckValue(off) || !unkeptName(name).empty() ||
      waveIniLine(name, fullPath, off) != line)
    return false;
  settings.setText(textOf(row), name);
  settings.setCheck(fullPathBoxOf(row), fullPath);
  settings.setCheck(offBoxOf(row), off);
  return true;
}

// The score's line of a damaged file, when it stands as the game writes it.
std::optional<int32_t> scoreLine(const std::string& line) {
  int32_t score = 0;
  const auto [end, error] = std::from_chars(line.data(), line.data() + line.size(), score);
  if (error != std::errc() || end != line.data() + line.size() || std::to_string(score) != line)
    return std::nullopt;
  return score;
}

// The settings read into the controls, sound by sound.
void putInto(SoundControls& controls, SettingsValues read) {
  for (int row = 1; row <= kSoundRows; ++row) {
    controls.setText(textOf(row), read.Text(textOf(row)));
    controls.setCheck(fullPathBoxOf(row), read.Check(fullPathBoxOf(row)));
    controls.setCheck(offBoxOf(row), read.Check(offBoxOf(row)));
  }
}

}  // namespace

std::string soundFolder() { return gameFolders().sounds; }

std::string waveIniPath() { return settingsFile(kWaveIniName); }

WaveIniContents readWaveIni(const std::string& text, const std::string& path) {
  WaveIniContents read;
  try {
    int32_t stored = 0;
    readItems(text, path, read.settings, stored);
    read.score = stored;
    return read;
  } catch (const Error& e) {
    read.damage = e;
  }
  // Damaged: what the file's rules would make of the rest may be anything
  // (a name of random bytes, a box "read" from a word). What stands as the
  // game writes it is taken, line by line; the other sounds get their first
  // settings.
  read.settings = SettingsValues();
  const std::vector<std::string> lines = linesOf(text);
  for (int row = 1; row <= kSoundRows; ++row) {
    const std::size_t at = static_cast<std::size_t>(row - 1);
    if (at >= lines.size() || !readLine(lines[at], read.settings, row)) read.firstSettingsTaken = true;
  }
  if (lines.size() > kSoundRows) read.score = scoreLine(lines[kSoundRows]);
  return read;
}

bool readsCleanly(const std::string& bytes, SoundControls* settings, int32_t* stored) {
  try {
    const WaveIniContents read = readWaveIni(utf8Text(bytes), "");
    if (read.damage) return false;
    if (settings != nullptr) putInto(*settings, read.settings);
    if (stored != nullptr) *stored = *read.score;
    return true;
  } catch (const Error&) {
    return false;
  }
}

std::string keptCopyPath(const std::string& path, const std::string& bytes) {
  constexpr int kCopies = 100;
  std::string slot;
  for (int n = 0; n < kCopies; ++n) {
    slot = path + ".bak" + (n == 0 ? "" : "." + std::to_string(n));
    try {
      if (readWholeFile(slot) == bytes) return slot;
    } catch (const Error&) {
      return slot;  // free (or unreadable, and replaced as before)
    }
  }
  return slot;  // all taken: the last one goes on changing
}

void waveiniread(SoundControls& controls, int32_t& highScore, const KeptRecord& kept) {
  KINOPA_ROUTINE("draw_w.waveiniread");
  // A file that cannot be read whole may have lost the record: the best
  // game still knows it.
  const auto keepRecord = [&] {
    if (!kept) return;
    if (const std::optional<int32_t> score = kept()) highScore = std::max(highScore, *score);
  };
  std::string path;
  WaveIniContents read;
  std::string bytes;
  try {
    path = waveIniPath();
    bytes = readWholeFile(path);
    read = readWaveIni(utf8Text(bytes), path);
  } catch (const Error& e) {
    keepRecord();
    MsgBox(e, MB_EXCLAMATION_OK, kWaveIniReadTitle);
    return;
  }
  putInto(controls, read.settings);
  // A record set earlier in this run is not taken back by the file.
  if (read.score) highScore = std::max(highScore, *read.score);
  if (!read.damage) return;
  keepRecord();
  // A damaged file is kept by the next save (see waveiniwrite).
  std::vector<PlayerText> more{
      {QT_TRANSLATE_NOOP("kinopa",
                         "The damaged file will be kept as %1 when the settings are next saved."),
       keptCopyPath(path, bytes)}};
  if (read.firstSettingsTaken) {
    more.push_back({QT_TRANSLATE_NOOP(
        "kinopa", "The sounds whose settings could not be read have the game's first settings.")});
  }
  MsgBox(*read.damage, MB_EXCLAMATION_OK, kWaveIniReadTitle, more);
}

}  // namespace kinopa
