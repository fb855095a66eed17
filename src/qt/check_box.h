#pragma once
// A check box whose value is 0 (clear), 1 (ticked) or 2 (greyed). The user's
// clicks only tick and clear it; the greyed state is set by the program.
#include <QCheckBox>
#include <cstdint>

namespace kinopa {

class CheckBox : public QCheckBox {
  Q_OBJECT
 public:
  explicit CheckBox(const QString& text, QWidget* parent = nullptr);

  int16_t value() const;
  // Any value other than 0, 1 or 2 is refused with an error.
  void setValue(int16_t value);

 protected:
  void nextCheckState() override;
};

}  // namespace kinopa
