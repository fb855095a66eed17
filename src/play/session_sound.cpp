#include "play/session_sound.h"

#include "play/best_game.h"
#include "play/recorder.h"
#include "play/recording_file.h"
#include "sound/playback.h"
#include "sound/wave_ini.h"

namespace kinopa {
namespace {

int rowOf(Sound sound) { return static_cast<int>(sound) + 1; }

}  // namespace

SessionSound::SessionSound(Mode mode, SoundControls& controls, SoundBuffers& buffers,
                         SoundLoading& loading, Game& g, Recorder* recorder,
                         const BestGame* bestGame, const bool& hidden)
    : mode_(mode),
      controls_(controls),
      buffers_(buffers),
      loading_(loading),
      g_(g),
      recorder_(recorder),
      bestGame_(bestGame),
      hidden_(hidden) {}

void SessionSound::waveiniread() {
  if (mode_ == Mode::play || (mode_ == Mode::watch && !settingsRead_)) {
    settingsRead_ = true;
    kinopa::waveiniread(controls_, g_.highScore, [this]() -> std::optional<int32_t> {
      if (!bestGame_) return std::nullopt;
      return lastScoreIn(bestGame_->path());
    });
    if (recorder_) recorder_->high(g_.highScore);
  }
  if (scripted_) g_.highScore = *scripted_;
  scripted_.reset();
}

void SessionSound::loadwavex() {
  if (mode_ == Mode::script || (mode_ == Mode::watch && soundsLoaded_)) return;
  soundsLoaded_ = true;
  loading_.loadwavex();
}

void SessionSound::waveiniwrite(bool onlyIfChanged) {
  if (mode_ == Mode::play) kinopa::waveiniwrite(controls_, g_.highScore, onlyIfChanged);
}

bool SessionSound::keepHighScore() {
  return mode_ != Mode::play || kinopa::saveHighScore(controls_, g_.highScore);
}

void SessionSound::halt(Sound sound) {
  if (!quiet()) kinopa::halt(controls_, buffers_, rowOf(sound));
}

void SessionSound::restart(Sound sound) {
  if (!quiet()) kinopa::restart(controls_, buffers_, rowOf(sound));
}

void SessionSound::musicStep(bool gameRuns) {
  if (quiet()) return;
  haltMusicSwitchedOff(controls_, buffers_);
  if (gameRuns) playMusic(controls_, buffers_);
}

}  // namespace kinopa
