#pragma once
// The sentences the hall's HTTP side says to the player (the proof's are in
// play/hall_proof.h, the names' in hall/names.cpp). A file of their own,
// with no Boost header, so that lupdate reads them without going through
// Boost (tools/hall/hall.cmake leaves the hall's other files out of it).
#include "core/player_text.h"

namespace kinopa::hall {

inline constexpr const char* kNoSuchPage = QT_TRANSLATE_NOOP("kinopa", "There is no such page here.");
inline constexpr const char* kNoSuchGame =
    QT_TRANSLATE_NOOP("kinopa", "There is no such game in the hall of fame.");
inline constexpr const char* kNotAGame = QT_TRANSLATE_NOOP(
    "kinopa", "The request is not a game for the hall of fame: it needs a name and a recording.");
inline constexpr const char* kNoSuchTable =
    QT_TRANSLATE_NOOP("kinopa", "The hall keeps no such table: ask for period all or week, and a limit of 1 to 100.");
inline constexpr const char* kTooMany = QT_TRANSLATE_NOOP(
    "kinopa", "Too many requests from your address: please wait a minute and try again.");
inline constexpr const char* kNotAllowed =
    QT_TRANSLATE_NOOP("kinopa", "Only the hall's administrator may remove an entry.");
inline constexpr const char* kWrongMethod =
    QT_TRANSLATE_NOOP("kinopa", "The hall does not take this kind of request here.");
inline constexpr const char* kUnavailable = QT_TRANSLATE_NOOP(
    "kinopa", "The hall of fame cannot reach its records just now: please try again later.");

inline constexpr const char* kTooLarge = QT_TRANSLATE_NOOP("kinopa", "The request is too large for the hall of fame.");
inline constexpr const char* kBadRequest = QT_TRANSLATE_NOOP("kinopa", "The hall could not read this request.");

}  // namespace kinopa::hall
