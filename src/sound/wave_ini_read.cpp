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

}  // namespace

std::string soundFolder() { return gameFolders().sounds; }

std::string waveIniPath() { return settingsFile("wave.ini"); }

void waveiniread(SoundControls& controls, int32_t& highScore) {
  KINOPA_ROUTINE("draw_w.waveiniread");
  try {
    WaveIniItems items(readWholeTextFile(waveIniPath()));
    for (int row = 1; row <= kSoundRows; ++row) {
      const std::string name = items.text();
      const int16_t fullPath = items.integer16();
      const int16_t off = items.integer16();
      // A line is applied before the next one is read, box by box.
      controls.setText(textOf(row), name);
      controls.setCheck(fullPathBoxOf(row), boxValue(fullPath, fullPathBoxOf(row)));
      controls.setCheck(offBoxOf(row), boxValue(off, offBoxOf(row)));
    }
    const int32_t stored = items.integer32();
    // A record set earlier in this run is not taken back by the file.
    highScore = std::max(highScore, stored);
  } catch (const Error& e) {
    MsgBox(e.description(), MB_EXCLAMATION_OK, kWaveIniReadTitle);
  }
}

}  // namespace kinopa
