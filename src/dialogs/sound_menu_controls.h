#pragma once
// The sound settings as the sound side reads and writes them: the controls
// of the sound settings dialog, which is made (hidden) on first use.
#include <functional>

#include "dialogs/sound_menu.h"
#include "sound/sound_controls.h"

namespace kinopa {

class SoundMenuControls : public SoundControls {
 public:
  explicit SoundMenuControls(std::function<SoundMenu&()> dialog) : dialog_(std::move(dialog)) {}

  std::string Text(int index) override;
  void setText(int index, const std::string& text) override;
  int16_t Check(int index) override;
  void setCheck(int index, int16_t value) override;

 private:
  std::function<SoundMenu&()> dialog_;
};

}  // namespace kinopa
