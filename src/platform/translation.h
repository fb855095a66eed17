#pragma once
// The language of the player's messages: Japanese on a Japanese system,
// English (the texts as written) everywhere else.
#include <QLocale>

namespace kinopa {

// Loads the translation for `language` into the application (which must
// exist), replacing one loaded before; any language without a translation
// gives English. Returns false when the translation compiled into the program
// cannot be loaded.
bool useLanguage(QLocale::Language language);

}  // namespace kinopa
