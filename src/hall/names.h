#pragma once
// Players' names in the hall: Unicode text, normalised, short, and nothing
// in it that is not seen.
#include <string>
#include <string_view>

namespace kinopa::hall {

inline constexpr int kNameLength = 16;  // code points, after normalisation

struct Name {
  std::string text;                // the name as kept and shown
  const char* refusal = nullptr;   // why it is refused (a player's sentence)
};

// UTF-8 text made NFC, trimmed of white space on both sides, then taken if
// it is 1 to 16 code points long and holds no code point of the categories
// Cc (controls), Cf (formatting: zero-width characters, direction marks and
// overrides, the soft hyphen...), Cs, Co (private use), Cn (unassigned), Zl
// and Zp (line and paragraph separators), nor any other default-ignorable
// code point (the Hangul fillers, say) but the variation selectors that
// emoji take.
Name normalName(std::string_view raw);

}  // namespace kinopa::hall
