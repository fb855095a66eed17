#include "app/window_board.h"

#include <QLabel>
#include <QPushButton>

#include "platform/errors.h"

namespace kinopa {
namespace {

constexpr Control kControls[] = {Control::gamestart, Control::Command1, Control::Label4,
                                 Control::Label5,    Control::Label6,   Control::Label8};

QString textOf(QWidget* w) {
  if (auto* label = qobject_cast<QLabel*>(w)) return label->text();
  return static_cast<QPushButton*>(w)->text();
}

}  // namespace

void WindowBoard::attach(const Controls& controls) {
  c_ = controls;
  for (Control c : kControls) captions_[static_cast<std::size_t>(c)] = textOf(widget(c)).toStdString();
}

QWidget* WindowBoard::widget(Control c) const {
  switch (c) {
    case Control::gamestart: return c_.gamestart;
    case Control::Command1: return c_.Command1;
    case Control::Label4: return c_.Label4;
    case Control::Label5: return c_.Label5;
    case Control::Label6: return c_.Label6;
    case Control::Label8: return c_.Label8;
  }
  throw IndexError();
}

int WindowBoard::fieldWidth() { return c_.Picture1->width(); }
int WindowBoard::fieldHeight() { return c_.Picture1->height(); }

void WindowBoard::setCaption(Control c, const std::string& text) {
  const QString t = QString::fromStdString(text);
  QWidget* w = widget(c);
  if (auto* label = qobject_cast<QLabel*>(w))
    label->setText(t);
  else
    static_cast<QPushButton*>(w)->setText(t);
  captions_[static_cast<std::size_t>(c)] = text;
}

void WindowBoard::setEnabled(Control c, bool enabled) { widget(c)->setEnabled(enabled); }
bool WindowBoard::isEnabled(Control c) { return widget(c)->isEnabled(); }

const std::string& WindowBoard::caption(Control c) const {
  return captions_.at(static_cast<std::size_t>(c));
}

Rect WidgetHandle::windowRect() const {
  const QRect r = widget_.frameGeometry();
  return Rect{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

}  // namespace kinopa
