#include "sound/playback.h"

namespace kinopa {
namespace {

// The row's buffer when the sound is switched on and has one.
SoundBuffer* playable(SoundControls& controls, SoundBuffers& buffers, int row) {
  if (controls.Check(offBoxOf(row)) != 0) return nullptr;
  return buffers.ofRow(row).get();
}

}  // namespace

void playMusic(SoundControls& controls, SoundBuffers& buffers) {
  if (SoundBuffer* music = playable(controls, buffers, 1)) music->Play(DSBPLAY_LOOPING);
}

void halt(SoundControls& controls, SoundBuffers& buffers, int row) {
  if (SoundBuffer* buffer = playable(controls, buffers, row)) {
    buffer->Stop();
    buffer->SetCurrentPosition(0);
  }
}

void haltMusicSwitchedOff(SoundControls& controls, SoundBuffers& buffers) {
  SoundBuffer* music = buffers.musicBuffer.get();
  if (music == nullptr || controls.Check(offBoxOf(1)) == 0 || !music->isPlaying()) return;
  music->Stop();
  music->SetCurrentPosition(0);
}

void restart(SoundControls& controls, SoundBuffers& buffers, int row) {
  if (SoundBuffer* buffer = playable(controls, buffers, row)) {
    buffer->Stop();
    buffer->SetCurrentPosition(0);
    buffer->Play(0);
  }
}

}  // namespace kinopa
