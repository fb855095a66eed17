#include "core/messages.h"

#include <cstdio>
#include <filesystem>

#include "core/errors.h"

namespace kinopa {
namespace {

MessageSink* g_sink = nullptr;

// The sentence of an error, or `otherwise` for an error that has none.
PlayerText textOf(const std::exception& e, const char* otherwise) {
  if (const auto* err = dynamic_cast<const Error*>(&e); err && !err->text().empty())
    return err->text();
  return {otherwise};
}

// A path as the player reads it: "wave/../images/x.bmp" as "images/x.bmp",
// no trailing separator.
std::string cleanPath(const std::string& path) {
  if (path.empty()) return path;
  std::string clean = std::filesystem::path(path).lexically_normal().string();
  while (clean.size() > 1 && clean.back() == '/') clean.pop_back();
  return clean;
}

// `sentence` with each "%n" replaced by its value, in one pass, so that a
// "%2" inside a path stays as it is.
std::string fillIn(const std::string& sentence, const std::string& one, const std::string& two) {
  std::string out;
  for (std::size_t i = 0; i < sentence.size(); ++i) {
    if (sentence[i] == '%' && i + 1 < sentence.size() && (sentence[i + 1] == '1' || sentence[i + 1] == '2')) {
      out += sentence[i + 1] == '1' ? one : two;
      ++i;
    } else {
      out += sentence[i];
    }
  }
  return out;
}

// Two sentences one after the other: Japanese ones follow each other
// without a space.
std::string joined(const std::string& first, const std::string& second) {
  if (first.empty() || second.empty()) return first + second;
  return first + (first.ends_with("。") ? "" : " ") + second;
}

}  // namespace

void setMessageSink(MessageSink* sink) { g_sink = sink; }

MessageSink& messageSink() { return g_sink ? *g_sink : windowSystemMessages(); }

std::string playerSentence(const PlayerText& text) {
  if (text.empty()) return "";
  const std::string file = cleanPath(text.file);
  std::string sentence = fillIn(translated(text.sentence), file, text.detail);
  if (text.reason != nullptr)
    sentence = joined(sentence, fillIn(translated(text.reason), file, text.detail));
  return sentence;
}

void MsgBox(const PlayerText& text, int style, const std::string& title) {
  messageSink().messageBox(title, playerSentence(text), style);
}

void MsgBox(const std::exception& e, int style, const std::string& title,
            const std::vector<PlayerText>& more) {
  // For a bug report. A sink of a test's own takes the box alone.
  if (!g_sink) std::fprintf(stderr, "kinopa: %s\n", errorReport(e).c_str());
  std::string text =
      playerSentence(textOf(e, QT_TRANSLATE_NOOP("kinopa", "An unexpected error occurred.")));
  for (const PlayerText& sentence : more) text = joined(text, playerSentence(sentence));
  messageSink().messageBox(title, text, style);
}

void showErrorBox(const std::exception& e) {
  std::fprintf(stderr, "kinopa: %s\n", errorReport(e).c_str());
  const PlayerText text =
      textOf(e, QT_TRANSLATE_NOOP("kinopa", "The game met an error it cannot go on from."));
  messageSink().errorBox("Kinopa", playerSentence(text));
}

}  // namespace kinopa
