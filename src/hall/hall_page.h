#pragma once
// The hall page: the table of this week and of all time as HTML made on the
// server, readable without script; every name, score and date escaped.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "hall/language.h"
#include "store/store.h"

namespace kinopa::hall {

// A time as "2026-12-08 08:41 UTC", and as ISO 8601 ("2026-12-08T08:41:07Z").
std::string shownDate(int64_t msSince1970);
std::string isoDate(int64_t msSince1970);
// The page's address that watches entry `id`'s recording.
std::string watchLink(int64_t id);

std::string hallPage(const std::vector<store::Entry>& week, const std::vector<store::Entry>& all,
                     Language language);

}  // namespace kinopa::hall
