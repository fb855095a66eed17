#include "play/ten_best.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "core/errors.h"
#include "core/files.h"
#include "core/folders.h"
#include "core/messages.h"
#include "play/recorder.h"

namespace kinopa {

std::string keptGameName(const LocalTime& t, int32_t score) {
  const int offset = std::abs(t.utcOffsetMinutes);
  char name[96];
  std::snprintf(name, sizeof name, "%04d-%02d-%02d_%02d-%02d-%02d.%03d%c%02d%02d_%d.kinopa", t.year,
                t.month, t.day, t.hour, t.minute, t.second, t.millisecond,
                t.utcOffsetMinutes < 0 ? '-' : '+', offset / 60, offset % 60,
                static_cast<int>(score));
  return name;
}

std::optional<KeptGame> keptGameNamed(const std::string& name) {
  KeptGame k;
  LocalTime& t = k.ended;
  char sign = 0;
  int offsetHours = 0, offsetMinutes = 0, score = 0;
  if (std::sscanf(name.c_str(), "%4d-%2d-%2d_%2d-%2d-%2d.%3d%c%2d%2d_%d.kinopa", &t.year, &t.month,
                  &t.day, &t.hour, &t.minute, &t.second, &t.millisecond, &sign, &offsetHours,
                  &offsetMinutes, &score) != 11)
    return std::nullopt;
  if (sign != '+' && sign != '-') return std::nullopt;
  t.utcOffsetMinutes = (sign == '-' ? -1 : 1) * (offsetHours * 60 + offsetMinutes);
  k.score = score;
  // Only a name as the game makes it: one number written one way, each in
  // its range.
  const bool inRange = t.month >= 1 && t.month <= 12 && t.day >= 1 && t.day <= 31 &&
                       t.hour >= 0 && t.hour < 24 && t.minute >= 0 && t.minute < 60 &&
                       t.second >= 0 && t.second < 60 && t.millisecond >= 0 &&
                       offsetHours < 24 && offsetMinutes >= 0 && offsetMinutes < 60 && score > 0;
  if (!inRange || keptGameName(t, k.score) != name) return std::nullopt;
  return k;
}

std::vector<KeptGame> keptGamesIn(const std::string& folder) {
  std::vector<KeptGame> kept;
  for (const std::string& name : filesIn(folder)) {
    if (std::optional<KeptGame> k = keptGameNamed(name)) {
      k->path = folder + name;
      kept.push_back(std::move(*k));
    }
  }
  // The higher score first; on an equal score the earlier game.
  std::sort(kept.begin(), kept.end(), [](const KeptGame& a, const KeptGame& b) {
    if (a.score != b.score) return a.score > b.score;
    const int64_t ta = utcMilliseconds(a.ended), tb = utcMilliseconds(b.ended);
    return ta != tb ? ta < tb : a.path < b.path;
  });
  return kept;
}

std::vector<KeptGame> tenBestIn(const std::string& folder) {
  std::vector<KeptGame> kept = keptGamesIn(folder);
  if (kept.size() > kTenBestCount) kept.resize(kTenBestCount);
  return kept;
}

bool TenBest::gameEnded(int32_t score, const Recorder& recorder) {
  if (score <= 0) return false;
  try {
    if (folder_.empty()) {
      throw Error("no data folder for the player's files",
                  {QT_TRANSLATE_NOOP("kinopa", "There is no folder for your settings: your home "
                                               "folder is not known.")});
    }
    std::vector<KeptGame> kept = keptGamesIn(folder_);
    // It ranks after every game kept with as high a score: they are earlier.
    const auto place = std::find_if(kept.begin(), kept.end(),
                                    [score](const KeptGame& k) { return k.score < score; });
    if (static_cast<std::size_t>(place - kept.begin()) >= kTenBestCount) return false;
    if (recorder.full()) {
      throw Error("the run was too long to record",
                  {QT_TRANSLATE_NOOP("kinopa", "This run was too long to record.")});
    }
    const LocalTime ended = localTimeNow();
    if (!isFolder(folder_)) makeFolder(folder_);
    replaceWholeFile(folder_ + keptGameName(ended, score), recorder.gameText());
    // Those it pushed out of the ten go; one that stays ranks below the ten
    // and goes the next time.
    kept.insert(place, KeptGame{});
    for (std::size_t i = kTenBestCount; i < kept.size(); ++i) {
      try {
        removeFile(kept[i].path);
      } catch (const Error& e) {
        std::fprintf(stderr, "kinopa: %s\n", e.description().c_str());
      }
    }
  } catch (const Error& e) {
    std::fprintf(stderr, "kinopa: could not keep the game among the ten best: %s\n",
                 e.description().c_str());
    if (!failureShown_) {
      failureShown_ = true;
      MsgBox(e, MB_EXCLAMATION_OK, kTenBestTitle,
             {QT_TRANSLATE_NOOP("kinopa", "This game was not kept among your ten best.")});
    }
    return false;
  }
  return true;
}

void TenBest::clearSaveLeftovers(const std::string& folder) {
  if (folder.empty()) return;
  try {
    // A save cut short leaves "<kept game's name>.XXXXXX".
    std::vector<std::string> names;
    for (const std::string& name : filesIn(folder)) {
      constexpr std::size_t kSuffix = 7;
      if (name.size() <= kSuffix || name[name.size() - kSuffix] != '.') continue;
      const std::string kept = name.substr(0, name.size() - kSuffix);
      if (keptGameNamed(kept)) names.push_back(kept);
    }
    if (!names.empty()) removeSaveLeftovers(folder, names);
  } catch (const Error& e) {
    std::fprintf(stderr, "kinopa: %s\n", e.description().c_str());
  }
}

}  // namespace kinopa
