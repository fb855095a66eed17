// Writing wave.ini.
#include <optional>

#include "core/errors.h"
#include "core/messages.h"
#include "core/files.h"
#include "sound/settings_values.h"
#include "sound/wave_ini.h"

namespace kinopa {
namespace {

std::optional<std::string> readIfThere(const std::string& path) {
  try {
    return readWholeFile(path);
  } catch (const Error&) {
    return std::nullopt;  // nothing (readable) there to keep or compare with
  }
}

// Replaces the file `old` came from with `bytes`, a damaged `old` kept first.
void replaceKeepingDamaged(const std::string& path, const std::optional<std::string>& old,
                           const std::string& bytes) {
  if (old && !readsCleanly(*old)) {
    const std::string kept = keptCopyPath(path, *old);
    if (readIfThere(kept) != old) replaceWholeFile(kept, *old);
  }
  replaceWholeFile(path, bytes);
}

}  // namespace

void waveiniwrite(SoundControls& controls, int32_t highScore, bool onlyIfChanged) {
  KINOPA_ROUTINE("draw_w.waveiniwrite");
  try {
    const std::string bytes = waveIniBytes(controls, highScore);
    const std::string path = waveIniPath();
    const std::optional<std::string> old = readIfThere(path);
    if (onlyIfChanged && old == bytes) return;
    replaceKeepingDamaged(path, old, bytes);
  } catch (const Error& e) {
    MsgBox(e, MB_EXCLAMATION_OK, kWaveIniWriteTitle);
  }
}

bool saveHighScore(SoundControls& controls, int32_t highScore) {
  KINOPA_ROUTINE("draw_w.waveiniwrite");
  try {
    const std::string path = waveIniPath();
    const std::optional<std::string> old = readIfThere(path);
    SettingsValues saved;
    const bool clean = old && readsCleanly(*old, &saved);
    const std::string bytes = waveIniBytes(clean ? static_cast<SoundControls&>(saved) : controls,
                                           highScore);
    if (old != bytes) replaceKeepingDamaged(path, old, bytes);
    return true;
  } catch (const Error& e) {
    MsgBox(e, MB_EXCLAMATION_OK, kWaveIniWriteTitle);
  }
  return false;
}

}  // namespace kinopa
