// Reading wave.ini.
#include <algorithm>
#include <exception>
#include <optional>

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

// Takes what it is given and keeps nothing: for trying a file out.
class Discard : public SoundControls {
 public:
  std::string Text(int) override { return {}; }
  void setText(int, const std::string&) override {}
  int16_t Check(int) override { return 0; }
  void setCheck(int, int16_t) override {}
};

// The sixteen items of `text` into the controls, line by line, and the stored
// score into `stored`. Throws at the first problem, with what came before it
// applied.
void apply(const std::string& text, const std::string& path, SoundControls& controls,
           int32_t& stored) {
  WaveIniItems items(text, path);
  for (int row = 1; row <= kSoundRows; ++row) {
    const std::string name = items.text();
    const int16_t fullPath = items.integer16();
    const int16_t off = items.integer16();
    // A line is applied before the next one is read, box by box.
    controls.setText(textOf(row), name);
    controls.setCheck(fullPathBoxOf(row), boxValue(fullPath, fullPathBoxOf(row), path));
    controls.setCheck(offBoxOf(row), boxValue(off, offBoxOf(row), path));
  }
  stored = items.integer32();
}

}  // namespace

std::string soundFolder() { return gameFolders().sounds; }

std::string waveIniPath() { return settingsFile(kWaveIniName); }

bool readsCleanly(const std::string& bytes, SoundControls* settings, int32_t* stored) {
  try {
    Discard nowhere;
    int32_t score = 0;
    apply(utf8Text(bytes), "", settings != nullptr ? *settings : nowhere, score);
    if (stored != nullptr) *stored = score;
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

void waveiniread(SoundControls& controls, int32_t& highScore) {
  KINOPA_ROUTINE("draw_w.waveiniread");
  std::optional<std::string> found;
  try {
    const std::string path = waveIniPath();
    const std::string bytes = readWholeFile(path);
    found = bytes;
    int32_t stored = 0;
    apply(utf8Text(bytes), path, controls, stored);
    // A record set earlier in this run is not taken back by the file.
    highScore = std::max(highScore, stored);
  } catch (const Error& e) {
    // A damaged file is kept by the next save (see waveiniwrite).
    const PlayerText kept =
        found ? PlayerText{QT_TRANSLATE_NOOP(
                               "kinopa",
                               "The damaged file will be kept as %1 when the settings are next saved."),
                           keptCopyPath(waveIniPath(), *found)}
              : PlayerText{};
    MsgBox(e, MB_EXCLAMATION_OK, kWaveIniReadTitle, kept);
  }
}

}  // namespace kinopa
