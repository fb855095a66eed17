#include "core/messages.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <vector>

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

// The files the texts name, each once.
std::vector<std::string> filesOf(const std::vector<const PlayerText*>& texts) {
  std::vector<std::string> files;
  for (const PlayerText* text : texts) {
    if (text->empty() || text->file.empty()) continue;
    const std::string file = cleanPath(text->file);
    if (std::find(files.begin(), files.end(), file) == files.end()) files.push_back(file);
  }
  return files;
}

}  // namespace

void setMessageSink(MessageSink* sink) { g_sink = sink; }

MessageSink& messageSink() { return g_sink ? *g_sink : windowSystemMessages(); }

std::string playerSentence(const PlayerText& text) {
  if (text.empty()) return "";
  const std::string file =
      text.file.empty() ? text.file : messageSink().shownPath(cleanPath(text.file));
  std::string sentence = fillIn(translated(text.sentence), file, text.detail);
  if (text.reason != nullptr)
    sentence = joined(sentence, fillIn(translated(text.reason), file, text.detail));
  return sentence;
}

void MsgBox(const PlayerText& text, int style, const std::string& title) {
  messageSink().messageBoxAbout(title, playerSentence(text), style, filesOf({&text}));
}

void MsgBox(const std::exception& e, int style, const std::string& title,
            const std::vector<PlayerText>& more) {
  // For a bug report. A sink of a test's own takes the box alone.
  if (!g_sink) std::fprintf(stderr, "kinopa: %s\n", errorReport(e).c_str());
  const PlayerText first = textOf(e, QT_TRANSLATE_NOOP("kinopa", "An unexpected error occurred."));
  std::string text = playerSentence(first);
  std::vector<const PlayerText*> texts{&first};
  for (const PlayerText& sentence : more) {
    text = joined(text, playerSentence(sentence));
    texts.push_back(&sentence);
  }
  messageSink().messageBoxAbout(title, text, style, filesOf(texts));
}

void showErrorBox(const std::exception& e) {
  std::fprintf(stderr, "kinopa: %s\n", errorReport(e).c_str());
  const PlayerText text =
      textOf(e, QT_TRANSLATE_NOOP("kinopa", "The game met an error it cannot go on from."));
  messageSink().errorBox("Kinopa", playerSentence(text));
}

}  // namespace kinopa
