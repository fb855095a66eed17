#include "hall/hall_page.h"

#include <ctime>

#include "core/html_text.h"
#include "core/player_text.h"

namespace kinopa::hall {
namespace {

const char* const kTitle = QT_TRANSLATE_NOOP("kinopa", "Kinopa hall of fame");
const char* const kWeek = QT_TRANSLATE_NOOP("kinopa", "This week");
const char* const kAllTime = QT_TRANSLATE_NOOP("kinopa", "All time");
const char* const kRank = QT_TRANSLATE_NOOP("kinopa", "Rank");
const char* const kName = QT_TRANSLATE_NOOP("kinopa", "Name");
const char* const kScore = QT_TRANSLATE_NOOP("kinopa", "Score");
const char* const kDate = QT_TRANSLATE_NOOP("kinopa", "Date");
const char* const kWatch = QT_TRANSLATE_NOOP("kinopa", "Watch");
const char* const kNoGames = QT_TRANSLATE_NOOP("kinopa", "No game yet.");
const char* const kPlay = QT_TRANSLATE_NOOP("kinopa", "Play Kinopa");

std::string table(const std::vector<store::Entry>& entries, Language l) {
  const auto t = [l](const char* s) { return escapeHtml(sentence(l, s)); };
  if (entries.empty()) return "<p>" + t(kNoGames) + "</p>\n";
  std::string out = "<table>\n<thead><tr><th>" + t(kRank) + "</th><th>" + t(kName) + "</th><th>" +
                    t(kScore) + "</th><th>" + t(kDate) + "</th><th></th></tr></thead>\n<tbody>\n";
  int rank = 0;
  for (const store::Entry& e : entries) {
    out += "<tr><td>" + std::to_string(++rank) + "</td><td>" + escapeHtml(e.name) +
           "</td><td>" + std::to_string(e.score) + "</td><td><time datetime=\"" +
           isoDate(e.playedAt) + "\">" + escapeHtml(shownDate(e.playedAt)) +
           "</time></td><td><a href=\"" + escapeHtml(watchLink(e.id)) + "\">" + t(kWatch) +
           "</a></td></tr>\n";
  }
  return out + "</tbody>\n</table>\n";
}

std::string formatted(int64_t ms, const char* format) {
  const std::time_t seconds = static_cast<std::time_t>(ms / 1000);
  std::tm utc{};
  gmtime_r(&seconds, &utc);
  char text[40];
  return std::string(text, std::strftime(text, sizeof text, format, &utc));
}

}  // namespace

std::string shownDate(int64_t ms) { return formatted(ms, "%Y-%m-%d %H:%M UTC"); }
std::string isoDate(int64_t ms) { return formatted(ms, "%Y-%m-%dT%H:%M:%SZ"); }

std::string watchLink(int64_t id) {
  // The page watches the recording at the address after "watch=".
  return "/?watch=%2Fapi%2Fgames%2F" + std::to_string(id) + "%2Frecording";
}

std::string hallPage(const std::vector<store::Entry>& week, const std::vector<store::Entry>& all,
                     Language l) {
  const auto t = [l](const char* s) { return escapeHtml(sentence(l, s)); };
  return std::string("<!DOCTYPE html>\n<html lang=\"") + (l == Language::japanese ? "ja" : "en") +
         "\">\n<head>\n<meta charset=\"utf-8\">\n"
         "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
         // The game's icon: a browser asks for one, and the page allows its
         // own site's pictures alone.
         "<link rel=\"icon\" type=\"image/png\" sizes=\"32x32\" href=\"/icons/icon-32.png\">\n<title>" +
         t(kTitle) +
         "</title>\n<style>body{font-family:sans-serif;margin:1em auto;max-width:40em;padding:0 1em}"
         "table{border-collapse:collapse;width:100%}th,td{padding:.2em .5em;text-align:left}"
         "td:nth-child(1),td:nth-child(3){text-align:right}tbody tr:nth-child(odd){background:#eef}"
         "</style>\n</head>\n<body>\n<h1>" +
         t(kTitle) + "</h1>\n<p><a href=\"/\">" + t(kPlay) + "</a></p>\n<h2>" + t(kWeek) +
         "</h2>\n" + table(week, l) + "<h2>" + t(kAllTime) + "</h2>\n" + table(all, l) +
         "</body>\n</html>\n";
}

}  // namespace kinopa::hall
