#include "platform/messages.h"

#include <QApplication>
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

}  // namespace

void setMessageSink(MessageSink* sink) { g_sink = sink; }

MessageSink& messageSink() { return g_sink ? *g_sink : g_windowSystem; }

void MsgBox(const std::string& text, int style, const std::string& title) {
  messageSink().messageBox(title, text, style);
}

void showErrorBox(const std::exception& e) {
  const std::string report = errorReport(e);
  std::fprintf(stderr, "kinopa: %s\n", report.c_str());
  messageSink().errorBox("Kinopa", report);
}

}  // namespace kinopa
