#include "play/recording_file.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <filesystem>

#include "play/recorder.h"
#include "play/script_player.h"
#include "game/game.h"
#include "game/nothing_shown.h"
#include "game/passes.h"

namespace kinopa {

namespace {

const char* const kDamaged = QT_TRANSLATE_NOOP("kinopa", "The recording %1 is damaged.");
const char* const kMissingRecording = QT_TRANSLATE_NOOP("kinopa", "The file %1 does not exist.");
const char* const kUnreadableRecording = QT_TRANSLATE_NOOP("kinopa", "The file %1 cannot be read.");

}  // namespace

Recording::Recording(const std::string& path, std::string name)
    : path_(path), name_(name.empty() ? path : std::move(name)) {
  file_.open(path, std::ios::binary);
  if (!file_) {
    std::error_code error;
    if (!std::filesystem::exists(path, error))
      throw NotARecording("no such file", {kMissingRecording, name_});
    throw NotARecording(std::strerror(errno), {kUnreadableRecording, name_});
  }
  const std::string header = Recorder::kHeader;
  std::string first(header.size() + 1, '\0');
  file_.read(first.data(), static_cast<std::streamsize>(first.size()));
  first.resize(static_cast<std::size_t>(file_.gcount()));
  if (first.rfind(header, 0) != 0) {
    throw NotARecording("it is not a Kinopa recording",
                        {QT_TRANSLATE_NOOP("kinopa", "The file %1 is not a Kinopa recording."),
                         name_});
  }
  // Its last line says it was written to its end.
  const std::string end = std::string(Recorder::kEnd) + "\n";
  file_.clear();
  file_.seekg(0, std::ios::end);
  const std::streamoff size = file_.tellg();
  std::string last(end.size(), '\0');
  if (size >= static_cast<std::streamoff>(end.size())) {
    file_.seekg(size - static_cast<std::streamoff>(end.size()));
    file_.read(last.data(), static_cast<std::streamsize>(last.size()));
  }
  if (size < static_cast<std::streamoff>(end.size()) || !file_ || last != end) {
    throw NotARecording("the recording is cut short",
                        {QT_TRANSLATE_NOOP("kinopa", "The recording %1 is cut short."), name_});
  }
  size_ = size;
  rewind();
}

double Recording::shareRead() {
  const std::streamoff at = file_.tellg();
  if (at < 0 || size_ <= 0) return 1;  // at its end
  return static_cast<double>(at) / static_cast<double>(size_);
}

bool Recording::next(ReplayCommand& c) {
  try {
    return reader_.next(c);
  } catch (const ScriptError& e) {
    throw damagedRecording(e.what(), name_);
  }
}

void Recording::rewind() {
  try {
    reader_.rewind();
  } catch (const ScriptError& e) {
    throw damagedRecording(e.what(), name_);
  }
}

std::optional<int32_t> lastScoreIn(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  // The last state line and the end line: well within the last few KB.
  constexpr std::streamoff kTail = 8192;
  file.seekg(0, std::ios::end);
  const std::streamoff size = file.tellg();
  if (size < 0) return std::nullopt;
  file.seekg(std::max<std::streamoff>(0, size - kTail));
  std::string tail(static_cast<std::size_t>(std::min(size, kTail)), '\0');
  file.read(tail.data(), static_cast<std::streamsize>(tail.size()));
  if (!file) return std::nullopt;
  const std::size_t line = tail.rfind("\n# last frame ");
  if (line == std::string::npos) return std::nullopt;
  const std::size_t end = tail.find('\n', line + 1);
  const std::size_t key = tail.find(" score=", line);
  if (key == std::string::npos || key > end) return std::nullopt;
  int32_t score = 0;
  const char* first = tail.data() + key + 7;
  const auto [stop, error] = std::from_chars(first, tail.data() + end, score);
  if (error != std::errc() || stop == first || *stop != ' ') return std::nullopt;
  return score;
}

NotARecording damagedRecording(const std::string& why, const std::string& path) {
  return NotARecording(why, {kDamaged, path});
}

namespace {
constexpr std::size_t kNone = static_cast<std::size_t>(-1);
}  // namespace

// The rules alone, to play the script through.
struct LastGameSearch::Rules {
  Rules() {
    g.setFixedNumbers();
    g.paused = kSet;
  }
  NothingShown nothing;
  ScriptTick tick;
  ScriptRandom random;
  Game g{nothing, nothing, nothing, tick, random};
  PassHooks nothingMore;
  LoopPasses passes{g, nothingMore};
  // Start-up, for the rules alone: the first game's preparation.
  ScriptRules rules{g, passes, tick, random, [this] { g.gameinit(); }};
};

LastGameSearch::LastGameSearch(ScriptReader& script, std::string path)
    : script_(script), path_(std::move(path)), rules_(std::make_unique<Rules>()), last_(kNone) {}

LastGameSearch::~LastGameSearch() = default;

bool LastGameSearch::step(std::chrono::steady_clock::duration slice) {
  const auto until = std::chrono::steady_clock::now() + slice;
  try {
    ReplayCommand c;
    while (script_.next(c)) {
      if (c.kind == ReplayCommand::shot) {
        throw NotARecording(
            "line " + std::to_string(c.line) + ": shot: watching takes no picture",
            {QT_TRANSLATE_NOOP("kinopa", "Line %2 of the recording %1 asks for a picture of the play "
                                         "field, which watching cannot take."),
             path_, std::to_string(c.line)});
      }
      if (c.kind == ReplayCommand::start && rules_->g.paused == kSet) last_ = read_;
      rules_->rules.run(c);
      // The clock is read now and then.
      if (++read_ % 256 == 0 && std::chrono::steady_clock::now() >= until) return false;
    }
  } catch (const ScriptError& e) {
    throw damagedRecording(e.what(), path_);
  } catch (const NotARecording&) {
    throw;
  } catch (const std::exception& e) {
    throw damagedRecording(std::string("the game in it cannot be played: ") + e.what(), path_);
  }
  if (last_ == kNone) {
    throw NotARecording("there is no game in it",
                        {QT_TRANSLATE_NOOP("kinopa", "The recording %1 holds no game."), path_});
  }
  return true;
}

std::size_t lastGameStart(ScriptReader& script, const std::string& path) {
  LastGameSearch search(script, path);
  while (!search.step(std::chrono::hours(1))) {
  }
  return search.last();
}

}  // namespace kinopa
