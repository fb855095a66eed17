// The bytes of wave.ini as the game writes them: each text in quotes, the
// numbers in decimal, the items of a line parted by commas, every line ended
// by CR LF. Apart from the writing itself, so that the build's own programs
// write the shipped first wave.ini with it.
#include <string>

#include "sound/wave_ini.h"

namespace kinopa {

std::string waveIniBytes(SoundControls& controls, int32_t highScore) {
  std::string bytes;
  for (int row = 1; row <= kSoundRows; ++row) {
    bytes += '"' + controls.Text(textOf(row)) + "\",";
    bytes += std::to_string(controls.Check(fullPathBoxOf(row))) + ",";
    bytes += std::to_string(controls.Check(offBoxOf(row))) + "\r\n";
  }
  bytes += std::to_string(highScore) + "\r\n";
  return bytes;
}

}  // namespace kinopa
