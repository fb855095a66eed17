#include "sound/sound_loading.h"

#include "core/errors.h"
#include "core/messages.h"
#include "sound/wave_ini.h"

namespace kinopa {

std::string loadFailureTitle(int row) {
  static const char* const titles[kSoundRows] = {
      "音楽ファイルに関して",
      "zarup受け止め成功効果音ファイルに関して",
      "zarup受け止め失敗効果音ファイルに関して",
      "melkitクリック成功効果音ファイルに関して",
      "melkitクリック失敗効果音ファイルに関して",
  };
  if (row < 1 || row > kSoundRows) throw IndexError();
  return titles[row - 1];
}

std::optional<std::string> soundFilePath(SoundControls& controls, int row) {
  switch (controls.Check(fullPathBoxOf(row))) {
    case 0: return soundFolder() + controls.Text(textOf(row));
    case 1: return controls.Text(textOf(row));
    default: return std::nullopt;
  }
}

void SoundLoading::loadwavex() {
  KINOPA_ROUTINE("draw_w.loadwavex");
  soundsLoaded = 0;
  do {
    LoadWave();
  } while (soundsLoaded == 0);
}

void SoundLoading::LoadWave() {
  KINOPA_ROUTINE("draw_w.LoadWave");
  soundsLoaded = 0;

  // The row being loaded, once its off box is ticked: only a failure there is
  // reported and passed over, so every retry has one sound fewer to load.
  int loading = 0;
  try {
    for (int row = 1; row <= kSoundRows; ++row) {
      if (controls_.Check(offBoxOf(row)) != 0) continue;
      // Switched off while it loads, so that a failure leaves it off.
      controls_.setCheck(offBoxOf(row), 1);
      loading = row;
      if (const auto path = soundFilePath(controls_, row)) buffers_.ofRow(row) = create_(*path);
      controls_.setCheck(offBoxOf(row), 0);
      loading = 0;
    }
    soundsLoaded = -1;
  } catch (const Error& e) {
    if (loading == 0) throw;
    MsgBox(e, MB_EXCLAMATION_OK, loadFailureTitle(loading));
  }
}

}  // namespace kinopa
