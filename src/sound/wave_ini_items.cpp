#include "sound/wave_ini_items.h"

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <string>
#include <utility>

#include "core/errors.h"
#include "core/numeric.h"

namespace kinopa {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool endsItem(char c) { return c == ',' || c == '\r' || c == '\n'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

WaveIniItems::WaveIniItems(std::string bytes, std::string file)
    : bytes_(std::move(bytes)), file_(std::move(file)) {
  // A byte order mark left by a text editor is no part of the first item.
  if (bytes_.starts_with("\xEF\xBB\xBF")) pos_ = 3;
}

std::string WaveIniItems::text() {
  const std::size_t n = bytes_.size();
  while (pos_ < n && isBlank(bytes_[pos_])) ++pos_;
  ++items_;
  if (pos_ >= n) {
    throw Error("Input past end of file: the file ends before item " + std::to_string(items_),
                {QT_TRANSLATE_NOOP("kinopa", "The file %1 ends before all the settings were read."),
                 file_});
  }

  std::string value;
  if (bytes_[pos_] == '"') {
    const std::size_t close = bytes_.find('"', pos_ + 1);
    const std::size_t end = close == std::string::npos ? n : close;
    value = bytes_.substr(pos_ + 1, end - pos_ - 1);
    pos_ = end;
    while (pos_ < n && !endsItem(bytes_[pos_])) ++pos_;
  } else {
    const std::size_t start = pos_;
    while (pos_ < n && !endsItem(bytes_[pos_])) ++pos_;
    std::size_t end = pos_;
    while (end > start && isBlank(bytes_[end - 1])) --end;
    value = bytes_.substr(start, end - start);
  }

  // Step over the item's end: a comma, or one line end.
  if (pos_ < n) {
    const char c = bytes_[pos_++];
    if (c == '\r' && pos_ < n && bytes_[pos_] == '\n') ++pos_;
  }
  return value;
}

int16_t WaveIniItems::integer16() {
  const std::string item = text();
  try {
    return toI16(leadingNumber(item));
  } catch (const OverflowError&) {
    throw outOfRange(item, "-32768 to 32767");
  }
}

int32_t WaveIniItems::integer32() {
  const std::string item = text();
  try {
    return toI32(leadingNumber(item));
  } catch (const OverflowError&) {
    throw outOfRange(item, "-2147483648 to 2147483647");
  }
}

Error WaveIniItems::outOfRange(const std::string& item, const char* range) const {
  return Error(
      "Overflow: item " + std::to_string(items_) + " (" + item + ") lies outside " + range,
      {QT_TRANSLATE_NOOP("kinopa", "The file %1 holds the number %2, which is out of range."),
       file_, item});
}

double leadingNumber(const std::string& text) {
  std::size_t i = 0;
  while (i < text.size() && isBlank(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';

  // The longest "digits[.digits][e[sign]digits]" here, with a digit somewhere
  // before the exponent.
  const std::size_t start = i;
  bool digits = false;
  while (i < text.size() && isDigit(text[i])) ++i, digits = true;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && isDigit(text[i])) ++i, digits = true;
  }
  if (!digits) return 0;
  const std::size_t mantissaEnd = i;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    if (j < text.size() && isDigit(text[j])) {
      while (j < text.size() && isDigit(text[j])) ++j;
      i = j;
    }
  }
  // strtod in the "C" locale, not std::from_chars, which the browser build's
  // libc++ lacks for floating point: both round correctly, so the value is
  // the same. Out of range, as from_chars says it, is a result that became
  // infinite, or 0 from digits that were not all zero.
  static const locale_t cLocale = newlocale(LC_NUMERIC_MASK, "C", locale_t{});
  if (cLocale == locale_t{}) throw Error("newlocale(LC_NUMERIC_MASK, \"C\") failed");
  const std::string number = text.substr(start, i - start);
  const double value = strtod_l(number.c_str(), nullptr, cLocale);
  if (std::isinf(value) ||
      (value == 0 && number.find_first_of("123456789") < mantissaEnd - start)) {
    // Beyond a double: a huge number is out of every range, a tiny one is 0.
    if (number.find("e-") != std::string::npos || number.find("E-") != std::string::npos)
      return 0;
    throw OverflowError();
  }
  return negative ? -value : value;
}

}  // namespace kinopa
