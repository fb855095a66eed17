#pragma once
// The rules' view of the main window's controls: the play field's size, and
// the captions and enabled states of the buttons and labels they write. The
// captions written are kept, for the state line.
#include <array>
#include <string>

#include "game/ports.h"
#include "platform/media_types.h"

class QLabel;
class QPushButton;
class QWidget;

namespace kinopa {

class WindowBoard : public Board {
 public:
  struct Controls {
    QWidget* Picture1 = nullptr;
    QPushButton* gamestart = nullptr;
    QPushButton* Command1 = nullptr;
    QLabel *Label4 = nullptr, *Label5 = nullptr, *Label6 = nullptr, *Label8 = nullptr;
  };
  // Once the window has made its controls; their captions then are the first
  // ones kept.
  void attach(const Controls& controls);

  int fieldWidth() override;
  int fieldHeight() override;
  void setCaption(Control control, const std::string& text) override;
  void setEnabled(Control control, bool enabled) override;
  bool isEnabled(Control control) override;
  // What the rules last wrote into a control (its first caption before that).
  const std::string& caption(Control control) const;

 private:
  QWidget* widget(Control control) const;

  Controls c_;
  std::array<std::string, 6> captions_;
};

// A window of the window system as the media objects see it.
class WidgetHandle : public WindowHandle {
 public:
  explicit WidgetHandle(const QWidget& widget) : widget_(widget) {}
  Rect windowRect() const override;

 private:
  const QWidget& widget_;
};

}  // namespace kinopa
