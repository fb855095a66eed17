#pragma once
// The items of wave.ini, read one after another whatever line they stand on.
// An item ends at a comma, a line end (CR LF, or a lone CR or LF) or the end
// of the file; blanks before it are skipped. A text in double quotes runs to
// the next quote, and anything after that quote up to the item's end is
// dropped. A text without quotes runs to the item's end, blanks at its end
// left off.
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/errors.h"

namespace kinopa {

class WaveIniItems {
 public:
  // `bytes` are the contents of the file `file`, which the errors name.
  WaveIniItems(std::string bytes, std::string file);

  // The next item as text. Throws Error when the file has no more items.
  // Errors name the item by its place in the file, from 1.
  std::string text();
  // The next item as a number: its leading decimal number rounded to the
  // nearest integer, 0 when it does not begin with one. Outside the 16-bit
  // (or 32-bit) range it is an overflow.
  int16_t integer16();
  int32_t integer32();

 private:
  Error outOfRange(const std::string& item, const char* range) const;

  std::string bytes_;
  std::string file_;
  std::size_t pos_ = 0;
  int items_ = 0;
};

// The leading decimal number of `text` ("12", "-3", "1.5", "2e3"), 0 when
// there is none.
double leadingNumber(const std::string& text);

}  // namespace kinopa
