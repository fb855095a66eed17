#include "platform/messages.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QString>
#include <cstdio>

#include "platform/errors.h"

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

WindowSystemMessages g_windowSystem;
MessageSink* g_sink = nullptr;

// The sentence of an error, or `otherwise` for an error that has none.
PlayerText textOf(const std::exception& e, const char* otherwise) {
  if (const auto* err = dynamic_cast<const Error*>(&e); err && !err->text().empty())
    return err->text();
  return {otherwise};
}

}  // namespace

void setMessageSink(MessageSink* sink) { g_sink = sink; }

MessageSink& messageSink() { return g_sink ? *g_sink : g_windowSystem; }

std::string playerSentence(const PlayerText& text) {
  if (text.empty()) return "";
  QString s = QCoreApplication::translate(kTextContext, text.sentence);
  const QString file = QDir::cleanPath(QString::fromStdString(text.file));
  const QString detail = QString::fromStdString(text.detail);
  // One pass puts both in, so a "%2" inside a path stays as it is.
  if (s.contains(QLatin1String("%2"))) {
    s = s.arg(file, detail);
  } else if (s.contains(QLatin1String("%1"))) {
    s = s.arg(file);
  }
  return s.toStdString();
}

void MsgBox(const PlayerText& text, int style, const std::string& title) {
  messageSink().messageBox(title, playerSentence(text), style);
}

void MsgBox(const std::exception& e, int style, const std::string& title,
            const PlayerText& more) {
  // For a bug report. A sink of a test's own takes the box alone.
  if (!g_sink) std::fprintf(stderr, "kinopa: %s\n", errorReport(e).c_str());
  std::string text =
      playerSentence(textOf(e, QT_TRANSLATE_NOOP("kinopa", "An unexpected error occurred.")));
  // Japanese sentences follow each other without a space.
  if (!more.empty()) text += (text.ends_with("。") ? "" : " ") + playerSentence(more);
  messageSink().messageBox(title, text, style);
}

void showErrorBox(const std::exception& e) {
  std::fprintf(stderr, "kinopa: %s\n", errorReport(e).c_str());
  const PlayerText text =
      textOf(e, QT_TRANSLATE_NOOP("kinopa", "The game met an error it cannot go on from."));
  messageSink().errorBox("Kinopa", playerSentence(text));
}

}  // namespace kinopa
