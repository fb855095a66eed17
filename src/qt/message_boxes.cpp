// The window system's message boxes, and the player's sentences in the
// language loaded into the application.
#include <QApplication>
#include <QMessageBox>
#include <QString>

#include "core/messages.h"

namespace kinopa {
namespace {

class WindowSystemMessages : public MessageSink {
 public:
  void messageBox(const std::string& title, const std::string& text, int style) override {
    QMessageBox box(style == MB_EXCLAMATION_OK ? QMessageBox::Warning : QMessageBox::NoIcon,
                    QString::fromStdString(title), QString::fromStdString(text), QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
  }
  void errorBox(const std::string& title, const std::string& text) override {
    if (!qApp) return;  // no window system: stderr already has it
    QMessageBox::critical(nullptr, QString::fromStdString(title), QString::fromStdString(text));
  }
};

}  // namespace

MessageSink& windowSystemMessages() {
  static WindowSystemMessages boxes;
  return boxes;
}

std::string translated(const char* sentence) {
  return QCoreApplication::translate(kTextContext, sentence).toStdString();
}

}  // namespace kinopa
