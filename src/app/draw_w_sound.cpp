// The main window's side of the sound: the settings file, loading, the
// playback rules and the sound settings dialog.
#include "app/draw_w.h"
#include "app/recorder.h"
#include "platform/errors.h"
#include "sound/playback.h"
#include "sound/wave_ini.h"

namespace kinopa {
namespace {

int rowOf(Sound sound) { return static_cast<int>(sound) + 1; }

}  // namespace

SoundMenu& DrawW::soundMenu() {
  if (!soundMenu_) {
    soundMenu_ = std::make_unique<SoundMenu>(SoundMenu::Routines{
        [this] { loadwavex(); }, [this] { waveiniwrite(); }, [this] { waveiniread(); }});
  }
  return *soundMenu_;
}

void DrawW::waveiniread() {
  if (!settingsFile_) {
    if (scriptedHighScore) g.highScore = *scriptedHighScore;
    scriptedHighScore.reset();
    return;
  }
  kinopa::waveiniread(soundControls_, g.highScore);
  if (recorder) recorder->high(g.highScore);
}

void DrawW::waveiniwrite(bool onlyIfChanged) {
  if (!settingsFile_) return;
  kinopa::waveiniwrite(soundControls_, g.highScore, onlyIfChanged);
}

void DrawW::loadwavex() {
  if (!settingsFile_) return;
  loading_.loadwavex();
}

std::shared_ptr<SoundBuffer> DrawW::createSoundBuffer(const std::string& path,
                                                      SoundBufferDesc& desc, WaveFormat& format) {
  if (!ds) throw PlatformError("DirectSound", "CreateSoundBufferFromFile", "no sound device");
  return ds->CreateSoundBufferFromFile(path, desc, format);
}

void DrawW::halt(Sound sound) {
  if (!offScreen) kinopa::halt(soundControls_, buffers, rowOf(sound));
}

void DrawW::restart(Sound sound) {
  if (!offScreen) kinopa::restart(soundControls_, buffers, rowOf(sound));
}

void DrawW::musicStep(bool gameRuns) {
  if (offScreen) return;
  haltMusicSwitchedOff(soundControls_, buffers);
  if (gameRuns) playMusic(soundControls_, buffers);
}

void DrawW::closeSoundMenu() {
  if (soundMenu_) soundMenu_->unload();
}

void DrawW::Command1_Click() {
  KINOPA_ROUTINE("draw_w.Command1_Click");
  SoundMenu& menu = soundMenu();
  menu.show();
  menu.raise();
  menu.activateWindow();
}

}  // namespace kinopa
