#include "dialogs/look_widgets.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "qt/check_box.h"
#include "qt/fonts.h"
#include "qt/picture_box.h"

namespace kinopa {
namespace {

QWidget* makeWidget(QWidget& window, const ControlLook& look, const QString& text) {
  switch (look.kind) {
    case ControlKind::pictureBox:
      return new PictureBox(&window);
    case ControlKind::label: {
      auto* label = new QLabel(text, &window);
      const Qt::Alignment across = look.alignment == Alignment::centre ? Qt::AlignHCenter : Qt::AlignLeft;
      label->setAlignment(across | Qt::AlignTop);
      // Transparent: the window shows through, and overlapping labels do not
      // hide each other. Clicks go to whatever lies beneath.
      label->setAttribute(Qt::WA_TranslucentBackground);
      label->setAttribute(Qt::WA_TransparentForMouseEvents);
      if (look.colour) {
        QPalette pal = label->palette();
        const int32_t c = *look.colour;
        pal.setColor(QPalette::WindowText, QColor(c & 0xff, (c >> 8) & 0xff, (c >> 16) & 0xff));
        label->setPalette(pal);
      }
      return label;
    }
    case ControlKind::button: {
      auto* button = new QPushButton(text, &window);
      button->setAutoDefault(false);
      return button;
    }
    case ControlKind::checkBox:
      return new CheckBox(text, &window);
    case ControlKind::textBox:
      return new QLineEdit(text, &window);
  }
  throw IndexError();
}

}  // namespace

void makeControls(QWidget& window, const WindowLook& look,
                  const std::function<std::string(const ControlLook&)>& caption) {
  QWidget* previous = nullptr;
  for (const ControlLook& c : look.controls) {
    const std::string text = caption ? caption(c) : std::string(c.caption);
    QWidget* widget = makeWidget(window, c, QString::fromStdString(text));
    widget->setObjectName(QString::fromLatin1(c.name));
    widget->setGeometry(c.box.left, c.box.top, c.box.width, c.box.height);
    if (c.font) widget->setFont(layoutFont(c.font->family, fontPixels(c.font->points), c.font->bold));
    widget->setEnabled(c.enabled);
    if (widget->focusPolicy() == Qt::NoFocus) continue;
    if (previous) QWidget::setTabOrder(previous, widget);
    previous = widget;
  }
}

}  // namespace kinopa
