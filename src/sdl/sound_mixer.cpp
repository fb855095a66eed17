#include "sdl/sound_mixer.h"

#include <cstdio>
#include <cstring>
#include <mutex>
#include <string>

#include "core/errors.h"

namespace kinopa {

std::shared_ptr<SoundMixer> SoundMixer::shared() {
  // Some drivers (the dummy one among them) open only one device at a time,
  // so every sound device object of the program plays through this one.
  static std::mutex guard;
  static std::weak_ptr<SoundMixer> current;
  std::lock_guard<std::mutex> lock(guard);
  std::shared_ptr<SoundMixer> mixer = current.lock();
  if (!mixer) {
    mixer = std::make_shared<SoundMixer>();
    current = mixer;
  }
  return mixer;
}

SoundMixer::SoundMixer() {
  // SDL would otherwise catch SIGINT and SIGTERM and turn them into events
  // nobody reads: Ctrl+C must still end the game.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  initialised_ = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
  voices_.wake();
}

SoundMixer::~SoundMixer() {
  close();
  if (initialised_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void SoundMixer::open() {
  if (initialised_ && openDevice()) return;
  const std::string reason = SDL_GetError();
  const char* driver = initialised_ ? SDL_GetCurrentAudioDriver() : nullptr;
  const bool wasDummy = driver != nullptr && std::strcmp(driver, "dummy") == 0;
  if (initialised_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
  initialised_ = false;
  if (wasDummy) throw PlatformError("DirectSound", "DirectSoundCreate", reason);

  // No sound server or card (or no more of it): the game still runs, silently.
  std::fprintf(stderr, "Kinopa: no sound device could be opened (%s); playing without sound.\n",
               reason.c_str());
  SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, "dummy", SDL_HINT_OVERRIDE);
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    throw PlatformError("DirectSound", "DirectSoundCreate", SDL_GetError());
  }
  initialised_ = true;
  stoodIn_ = true;
  if (!openDevice()) {
    const std::string error = SDL_GetError();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    initialised_ = false;
    throw PlatformError("DirectSound", "DirectSoundCreate", error);
  }
}

// 44100 Hz is twice the game's own 22050 Hz files, so they convert exactly;
// 512 frames keep the device buffer at 11.6 ms, short enough for an effect to
// follow its event at once, with room left against underruns.
bool SoundMixer::openDevice() {
  SDL_AudioSpec want{};
  want.freq = kFrequency;
  want.format = AUDIO_S16SYS;
  want.channels = kChannels;
  want.samples = kBufferFrames;
  want.callback = &SoundMixer::fill;
  want.userdata = this;
  // No changes allowed: SDL converts to whatever the hardware needs, and the
  // format we get back is the one we asked for, at every opening. The device
  // opens paused.
  SDL_AudioSpec got{};
  device_ = SDL_OpenAudioDevice(nullptr, 0, &want, &got, 0);
  if (device_ == 0) return false;
  format_ = got;
  return true;
}

void SoundMixer::close() {
  if (device_ == 0) return;
  SDL_CloseAudioDevice(device_);  // waits for the audio thread to end
  device_ = 0;
}

// SDL calls this with the device locked, so a play either comes before it
// and is mixed here, or after it and counts as heard from the next buffer.
void SDLCALL SoundMixer::fill(void* mixer, Uint8* stream, int bytes) {
  auto* self = static_cast<SoundMixer*>(mixer);
  const int channels = self->format_.channels;
  self->voices_.mix(reinterpret_cast<int16_t*>(stream),
                    bytes / static_cast<int>(sizeof(int16_t) * channels), channels);
}

}  // namespace kinopa
