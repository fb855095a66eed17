#include "sound/sound_controls.h"

namespace kinopa {

void chooseSoundFile(SoundControls& controls, int row, const std::string& path) {
  controls.setText(textOf(row), path);
  controls.setCheck(fullPathBoxOf(row), 1);
}

}  // namespace kinopa
