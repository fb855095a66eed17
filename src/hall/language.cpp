#include "hall/language.h"

#include <boost/beast/http/rfc7230.hpp>
#include <charconv>

namespace kinopa::hall {
namespace {

// "q=0.8" as a number; a value that is not one counts as 0.
double quality(std::string_view q) {
  double v = 0;
  const auto [end, ec] = std::from_chars(q.data(), q.data() + q.size(), v);
  return ec == std::errc() && end == q.data() + q.size() && v >= 0 && v <= 1 ? v : 0;
}

bool startsWithTag(std::string_view range, std::string_view tag) {
  if (range.size() < tag.size()) return false;
  for (std::size_t i = 0; i < tag.size(); ++i)
    if ((range[i] | 0x20) != tag[i]) return false;
  return range.size() == tag.size() || range[tag.size()] == '-';
}

}  // namespace

Language requestLanguage(std::string_view acceptLanguage) {
  Language best = Language::english;
  double bestQ = 0;  // the first of equals wins
  // "ja-JP,ja;q=0.9,en;q=0.8": a list of ranges with parameters, as Beast
  // reads extensions.
  for (const auto& item : boost::beast::http::ext_list(acceptLanguage)) {
    double q = 1;
    for (const auto& param : item.second)
      if (param.first == "q") q = quality(param.second);
    const std::string_view range(item.first.data(), item.first.size());
    const bool ja = startsWithTag(range, "ja");
    if (!ja && !startsWithTag(range, "en") && range != "*") continue;
    if (q > bestQ) {
      best = ja ? Language::japanese : Language::english;
      bestQ = q;
    }
  }
  return best;
}

std::string sentence(Language language, const char* english) {
  return language == Language::japanese ? japaneseSentence(english) : english;
}

}  // namespace kinopa::hall
