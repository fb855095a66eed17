#include "sound/sound_controls.h"

#include "core/messages.h"
#include "sound/sound_loading.h"
#include "sound/wave_ini.h"

namespace kinopa {

bool chooseSoundFile(SoundControls& controls, int row, const std::string& name, NameGiven given) {
  if (const PlayerText why = unkeptName(name); !why.empty()) {
    MsgBox(why, MB_EXCLAMATION_OK, loadFailureTitle(row));
    return false;
  }
  controls.setText(textOf(row), name);
  if (given == NameGiven::browsed) controls.setCheck(fullPathBoxOf(row), 1);
  return true;
}

}  // namespace kinopa
