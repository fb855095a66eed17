#pragma once
// The language of the player's messages and of Qt's own texts (the file
// chooser, the standard buttons, the command line's usage): Japanese on a
// Japanese system, English (the texts as written) everywhere else.
#include <QLocale>
#include <string>

namespace kinopa {

// Loads the translations for `language` into the application (which must
// exist), replacing those loaded before; any language without a translation
// gives English. Returns what could not be loaded, or nothing: the game's own
// texts (compiled into the program) and Qt's (from Qt's translations folder).
std::string useLanguage(QLocale::Language language);

}  // namespace kinopa
