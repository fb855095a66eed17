// The window system's message boxes, and the player's sentences in the
// language loaded into the application.
#include <QApplication>
#include <QMessageBox>
#include <QRegularExpression>
#include <QString>

#include "core/messages.h"

namespace kinopa {
namespace {

// The text as a box shows it: a hyphen is joined to what follows (by a word
// joiner, which shows nothing), so that neither an option ("--record") nor a
// file name ("best-game.kinopa") is broken across two lines.
QString shown(const std::string& text) {
  static const QRegularExpression hyphen(QStringLiteral("-(?=\\S)"));
  return QString::fromStdString(text).replace(hyphen, QStringLiteral("-\u2060"));
}

class WindowSystemMessages : public MessageSink {
 public:
  void messageBox(const std::string& title, const std::string& text, int style) override {
    QMessageBox box(style == MB_EXCLAMATION_OK ? QMessageBox::Warning : QMessageBox::NoIcon,
                    QString::fromStdString(title), shown(text), QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
  }
  void errorBox(const std::string& title, const std::string& text) override {
    if (!qApp) return;  // no window system: stderr already has it
    QMessageBox::critical(nullptr, QString::fromStdString(title), shown(text));
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
