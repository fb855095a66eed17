#pragma once
// The hall's answers in the player's language: Japanese or English, as the
// request's Accept-Language asks.
#include <string>
#include <string_view>

namespace kinopa {

// The Japanese of an English player's sentence, from translations/kinopa_ja.ts
// (made at build time); the sentence itself when it has none.
std::string japaneseSentence(const char* sentence);

namespace hall {

enum class Language { english, japanese };

// Japanese when the request ranks it above English (by its q values, then
// its order); English otherwise, or with no header.
Language requestLanguage(std::string_view acceptLanguage);

// A player's sentence (marked with QT_TRANSLATE_NOOP) in `language`.
std::string sentence(Language language, const char* english);

}  // namespace hall
}  // namespace kinopa
