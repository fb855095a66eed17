#include "qt/check_box.h"

#include <string>

#include "core/errors.h"

namespace kinopa {

CheckBox::CheckBox(const QString& text, QWidget* parent) : QCheckBox(text, parent) {}

int16_t CheckBox::value() const {
  switch (checkState()) {
    case Qt::Unchecked: return 0;
    case Qt::Checked: return 1;
    case Qt::PartiallyChecked: return 2;
  }
  return 0;
}

void CheckBox::setValue(int16_t value) {
  switch (value) {
    case 0: setCheckState(Qt::Unchecked); return;
    case 1: setCheckState(Qt::Checked); return;
    case 2: setCheckState(Qt::PartiallyChecked); return;
  }
  throw PlatformError(objectName().toStdString(), "Value",
                      "Invalid property value " + std::to_string(value));
}

void CheckBox::nextCheckState() {
  // A click ticks a clear or greyed box and clears a ticked one.
  setCheckState(checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
}

}  // namespace kinopa
