// Reading wave.ini.
#include <algorithm>
#include <exception>

#include "platform/errors.h"
#include "platform/messages.h"
#include "platform/game_folders.h"
#include "platform/text_file.h"
#include "sound/wave_ini.h"
#include "sound/wave_ini_items.h"

namespace kinopa {
namespace {

// A box value read from the file, as the check box takes it.
int16_t boxValue(int16_t value, int box) {
  if (!isCheckValue(value))
    throw Error("Invalid property value: Check" + std::to_string(box) + " cannot hold " +
                std::to_string(value) + " (only 0, 1 or 2)");
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
void apply(const std::string& text, SoundControls& controls, int32_t& stored) {
  WaveIniItems items(text);
  for (int row = 1; row <= kSoundRows; ++row) {
    const std::string name = items.text();
    const int16_t fullPath = items.integer16();
    const int16_t off = items.integer16();
    // A line is applied before the next one is read, box by box.
    controls.setText(textOf(row), name);
    controls.setCheck(fullPathBoxOf(row), boxValue(fullPath, fullPathBoxOf(row)));
    controls.setCheck(offBoxOf(row), boxValue(off, offBoxOf(row)));
  }
  stored = items.integer32();
}

}  // namespace

std::string soundFolder() { return gameFolders().sounds; }

std::string waveIniPath() { return settingsFile("wave.ini"); }

bool readsCleanly(const std::string& bytes) {
  try {
    Discard nowhere;
    int32_t stored = 0;
    apply(utf8Text(bytes), nowhere, stored);
    return true;
  } catch (const Error&) {
    return false;
  }
}

void waveiniread(SoundControls& controls, int32_t& highScore) {
  KINOPA_ROUTINE("draw_w.waveiniread");
  bool found = false;
  try {
    const std::string bytes = readWholeFile(waveIniPath());
    found = true;
    int32_t stored = 0;
    apply(utf8Text(bytes), controls, stored);
    // A record set earlier in this run is not taken back by the file.
    highScore = std::max(highScore, stored);
  } catch (const Error& e) {
    std::string text = e.description();
    if (found) text += kWaveIniKeptNote;
    MsgBox(text, MB_EXCLAMATION_OK, kWaveIniReadTitle);
  }
}

}  // namespace kinopa
