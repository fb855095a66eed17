#include "dialogs/sound_menu_controls.h"

#include <QLineEdit>

namespace kinopa {

std::string SoundMenuControls::Text(int index) {
  return dialog_().Text(index)->text().toStdString();
}

void SoundMenuControls::setText(int index, const std::string& text) {
  dialog_().Text(index)->setText(QString::fromStdString(text));
}

int16_t SoundMenuControls::Check(int index) { return dialog_().Check(index)->value(); }

void SoundMenuControls::setCheck(int index, int16_t value) {
  dialog_().Check(index)->setValue(value);
}

}  // namespace kinopa
