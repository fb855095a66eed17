// Writing wave.ini.
#include <optional>

#include "platform/errors.h"
#include "platform/messages.h"
#include "platform/text_file.h"
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

void waveiniwrite(SoundControls& controls, int32_t highScore, bool onlyIfChanged) {
  KINOPA_ROUTINE("draw_w.waveiniwrite");
  try {
    const std::string bytes = waveIniBytes(controls, highScore);
    const std::string path = waveIniPath();
    std::optional<std::string> old;
    try {
      old = readWholeFile(path);
    } catch (const Error&) {
      // Nothing (readable) there to keep or compare with.
    }
    if (onlyIfChanged && old == bytes) return;
    if (old && !readsCleanly(*old)) replaceWholeFile(path + ".bak", *old);
    replaceWholeFile(path, bytes);
  } catch (const Error& e) {
    MsgBox(e.description(), MB_EXCLAMATION_OK, kWaveIniWriteTitle);
  }
}

}  // namespace kinopa
