#pragma once
// Message boxes and the error box that ends the program.
#include <exception>
#include <string>

namespace kinopa {

// Exclamation icon and one OK button.
constexpr int MB_EXCLAMATION_OK = 48;

class MessageSink {
 public:
  virtual ~MessageSink() = default;
  // A modal message box; returns when the user has pressed OK.
  virtual void messageBox(const std::string& title, const std::string& text, int style) = 0;
  // The error box shown once before the program ends on an unhandled error.
  virtual void errorBox(const std::string& title, const std::string& text) = 0;
};

// Where message boxes go: the window system's by default; tests put their
// own sink here (nullptr restores the default).
void setMessageSink(MessageSink* sink);
MessageSink& messageSink();

void MsgBox(const std::string& text, int style, const std::string& title);
// Shows the error box for an error nobody handled; also written to stderr.
void showErrorBox(const std::exception& e);

}  // namespace kinopa
