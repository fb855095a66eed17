#pragma once
// The sentences the player reads in message boxes. They are written here in
// plain English and translated only where a box is shown, so code without Qt
// can write them too: it marks each one with QT_TRANSLATE_NOOP("kinopa", ...),
// which lupdate collects into translations/kinopa_ja.ts and which leaves the
// text as it is. The definition below is Qt's own, for files without Qt.
#include <string>
#include <utility>

#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, x) x
#endif

namespace kinopa {

// The translation context of every player text.
inline constexpr const char* kTextContext = "kinopa";

// One plain sentence for the player, naming no routine of the program, and
// when there is one, a second that says why. "%1" in them stands for `file`,
// the path of the file concerned, which is shown once and cleaned
// ("wave/../images/x.bmp" as "images/x.bmp"); "%2" for `detail`, such as the
// number found in a file.
struct PlayerText {
  PlayerText() = default;
  PlayerText(const char* sentence, std::string file = {}, std::string detail = {},
             const char* reason = nullptr)
      : sentence(sentence), file(std::move(file)), detail(std::move(detail)), reason(reason) {}

  bool empty() const { return sentence == nullptr; }

  const char* sentence = nullptr;  // marked with QT_TRANSLATE_NOOP("kinopa", ...)
  std::string file;
  std::string detail;
  const char* reason = nullptr;  // marked too; none when there is nothing to add
};

}  // namespace kinopa
