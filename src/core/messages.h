#pragma once
// Message boxes and the error box that ends the program. What the player
// reads in them is one sentence of a PlayerText, translated; the technical
// description of an error goes to standard error. The boxes themselves and
// the translation are the back end's (windowSystemMessages, translated).
#include <exception>
#include <string>
#include <vector>

#include "core/player_text.h"

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

  // A file's path as a box names it: by default the path itself. A back end
  // whose player cannot open the program's paths names what the player can
  // find instead (the page: a file of the player's storage by its name).
  virtual std::string shownPath(const std::string& path) { return path; }
  // A message box about the files `files` (their paths): a back end may
  // offer them with it (the page: the player's own files, to download). By
  // default, the box alone.
  virtual void messageBoxAbout(const std::string& title, const std::string& text, int style,
                               const std::vector<std::string>& /*files*/) {
    messageBox(title, text, style);
  }
};

// The back end's message boxes (the window system's, the page's dialogs).
MessageSink& windowSystemMessages();
// A player's sentence (marked with QT_TRANSLATE_NOOP) in the player's
// language, as the back end knows it; the sentence as written where it has
// no translation.
std::string translated(const char* sentence);

// Where message boxes go: the back end's by default; tests put their own
// sink here (nullptr restores the default).
void setMessageSink(MessageSink* sink);
MessageSink& messageSink();

// The sentence as the player reads it: in the player's language, with the
// cleaned path of the file and the detail put in, and its reason after it.
std::string playerSentence(const PlayerText& text);

// A message box with a sentence for the player.
void MsgBox(const PlayerText& text, int style, const std::string& title);
// A message box about an error the program goes on from: the box has the
// error's sentence for the player; standard error gets its description,
// unless a sink of a test's own takes the boxes. `more` are sentences added
// after the error's.
void MsgBox(const std::exception& e, int style, const std::string& title,
            const std::vector<PlayerText>& more = {});
// Shows the error box for an error nobody handled; its description goes to
// standard error.
void showErrorBox(const std::exception& e);

}  // namespace kinopa
