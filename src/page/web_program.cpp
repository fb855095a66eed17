#include "page/web_program.h"

#include <charconv>
#include <chrono>
#include <cstdint>

#include "core/errors.h"
#include "core/folders.h"
#include "core/messages.h"
#include "core/random.h"
#include "play/ten_best.h"

namespace kinopa {

WebProgram::WebProgram() : front_(gameFolders().images + "../window_art/field.bmp") {}

WebProgram::~WebProgram() = default;

void WebProgram::play() {
  // The page's storage is the player's folder, whose first start the game
  // makes, as an installed game's.
  const GameFolders folders = gameFolders();
  PlayerRun::prepareFolder(folders);
  PlayerRun::clearSaveLeftovers(folders);
  watch_.reset();
  session_.reset();
  run_ = std::make_unique<PlayerRun>(folders);
  session_ = std::make_unique<PlaySession>(run_->services(pump_), front_);
  session_->createSoundDevice();
  session_->startUp();
}

std::string WebProgram::runRecording() const { return run_ ? run_->recording() : std::string(); }

std::string WebProgram::bestGamePath() const { return PlayerFiles(gameFolders()).bestGame; }

bool WebProgram::hallStart(const std::string& seed, const std::string& generator) {
  if (!session_ || watch_ || generator != SeededRandom::kGenerator) return false;
  uint64_t value = 0;
  const char* end = seed.data() + seed.size();
  // Digits alone: from_chars would take a leading minus sign.
  if (seed.empty() || seed.find_first_not_of("0123456789") != std::string::npos) return false;
  const auto [at, error] = std::from_chars(seed.data(), end, value);
  if (error != std::errc() || at != end) return false;
  if (!session_->startBegins()) return false;
  session_->startHallGame(value);
  return true;
}

std::string WebProgram::hallGameOver() const {
  if (!session_ || watch_) return {};
  const std::optional<uint64_t> seed = session_->hallGameOver();
  return seed ? std::to_string(*seed) : std::string();
}

std::string WebProgram::gameRecording() const { return run_ ? run_->gameRecording() : std::string(); }

std::string WebProgram::tenBest() const {
  const std::string folder = PlayerFiles(gameFolders()).tenBest;
  std::string lines;
  if (folder.empty()) return lines;
  for (const KeptGame& game : tenBestIn(folder)) {
    lines += std::to_string(game.score) + "\t" + std::to_string(utcMilliseconds(game.ended)) + "\t" +
             game.path + "\n";
  }
  return lines;
}

WebProgram::Opened WebProgram::watch(const std::string& path, const std::string& name) {
  asking_.reset();
  std::unique_ptr<Watch> opened;
  try {
    opened = std::make_unique<Watch>(path, name);
    opened->checkWhole();
  } catch (const NotARecording& e) {
    MsgBox(e.text(), MB_EXCLAMATION_OK, "Kinopa");
    return Opened::refused;
  }
  asking_ = std::move(opened);
  if (session_ && Watch::endsGame(*session_)) return Opened::asking;
  watchAnswered(true);
  return Opened::watching;
}

bool WebProgram::watchAnswered(bool yes) {
  std::unique_ptr<Watch> opened = std::move(asking_);
  if (!yes || !opened) return false;
  // The player's run ends as 終了 ends it; its recording stays to be had.
  if (session_) {
    session_->endClicked();
    while (session_->loopStep()) {
    }
    session_->shutdown();
    session_.reset();
  }
  // A watch before this one ends as its 終了 ends it.
  if (watch_) watch_->session().shutdown();
  watch_ = std::move(opened);
  watch_->begin(front_);
  return true;
}

double WebProgram::watchForward() { return watch_->fastForward(Watch::kSlice); }

std::optional<double> WebProgram::watchPlay() {
  const auto now = Watch::Clock::now();
  const std::optional<Watch::Clock::time_point> due = watch_->playDue(now);
  if (!due) return std::nullopt;
  return std::chrono::duration<double, std::milli>(*due - now).count();
}

void WebProgram::holdClock(bool held) {
  if (run_ && session_) run_->holdClock(held);
  if (watch_) watch_->hold(held, Watch::Clock::now());
}

void WebProgram::saveNow() {
  if (session_ && !watch_) session_->saveNow();
}

void WebProgram::endWatching() {
  if (watch_) watch_->session().shutdown();
  watch_.reset();
  front_.showFieldPicture();
  play();
}

}  // namespace kinopa
