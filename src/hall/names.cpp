#include "hall/names.h"

#include <utf8proc.h>

#include <cstdlib>
#include <memory>
#include <vector>

#include "core/player_text.h"

namespace kinopa::hall {
namespace {

const char* const kNotText = QT_TRANSLATE_NOOP("kinopa", "The name is not text.");
const char* const kEmpty = QT_TRANSLATE_NOOP("kinopa", "Please give a name.");
const char* const kTooLong = QT_TRANSLATE_NOOP("kinopa", "The name is longer than 16 characters.");
const char* const kUnseen = QT_TRANSLATE_NOOP(
    "kinopa", "The name holds a character that is not shown, such as a control or formatting character.");

bool white(utf8proc_int32_t c) {
  const utf8proc_category_t k = utf8proc_category(c);
  return k == UTF8PROC_CATEGORY_ZS || (c >= 0x09 && c <= 0x0d) || c == 0x85 ||
         k == UTF8PROC_CATEGORY_ZL || k == UTF8PROC_CATEGORY_ZP;
}

bool variationSelector(utf8proc_int32_t c) {
  return (c >= 0xfe00 && c <= 0xfe0f) || (c >= 0xe0100 && c <= 0xe01ef);
}

bool unseen(utf8proc_int32_t c) {
  switch (utf8proc_category(c)) {
    case UTF8PROC_CATEGORY_CC:
    case UTF8PROC_CATEGORY_CF:
    case UTF8PROC_CATEGORY_CS:
    case UTF8PROC_CATEGORY_CO:
    case UTF8PROC_CATEGORY_CN:
    case UTF8PROC_CATEGORY_ZL:
    case UTF8PROC_CATEGORY_ZP:
      return true;
    default:
      return utf8proc_get_property(c)->ignorable && !variationSelector(c);
  }
}

}  // namespace

Name normalName(std::string_view raw) {
  utf8proc_uint8_t* made = nullptr;
  const utf8proc_ssize_t n = utf8proc_map(reinterpret_cast<const utf8proc_uint8_t*>(raw.data()),
                                          static_cast<utf8proc_ssize_t>(raw.size()), &made,
                                          static_cast<utf8proc_option_t>(UTF8PROC_STABLE | UTF8PROC_COMPOSE));
  const std::unique_ptr<utf8proc_uint8_t, decltype(&std::free)> owned(made, &std::free);
  // utf8proc_map stops at a NUL unless told the length: told, it maps it too.
  if (n < 0) return {{}, kNotText};

  std::vector<utf8proc_int32_t> points;
  for (utf8proc_ssize_t at = 0; at < n;) {
    utf8proc_int32_t c = 0;
    const utf8proc_ssize_t step = utf8proc_iterate(made + at, n - at, &c);
    if (step <= 0) return {{}, kNotText};
    points.push_back(c);
    at += step;
  }
  std::size_t first = 0, last = points.size();
  while (first < last && white(points[first])) ++first;
  while (last > first && white(points[last - 1])) --last;
  if (first == last) return {{}, kEmpty};
  if (last - first > static_cast<std::size_t>(kNameLength)) return {{}, kTooLong};
  std::string text;
  for (std::size_t i = first; i < last; ++i) {
    if (unseen(points[i])) return {{}, kUnseen};
    utf8proc_uint8_t bytes[4];
    text.append(reinterpret_cast<char*>(bytes),
                static_cast<std::size_t>(utf8proc_encode_char(points[i], bytes)));
  }
  return {text, nullptr};
}

}  // namespace kinopa::hall
