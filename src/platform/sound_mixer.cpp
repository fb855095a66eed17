#include "platform/sound_mixer.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <limits>
#include <mutex>
#include <string>

#include "platform/errors.h"

namespace kinopa {

void voicePlay(Voice& voice, bool looping) {
  voice.looping = looping;
  voice.playing = voice.frames > 0;
}

void voiceStop(Voice& voice) { voice.playing = false; }

void voiceSetPosition(Voice& voice, int64_t frame) {
  voice.position = std::clamp<int64_t>(frame, 0, std::max<int64_t>(voice.frames - 1, 0));
}

namespace {

// Adds `frames` frames of one voice into the accumulator and moves it on.
void addVoice(Voice& voice, int32_t* acc, int frames, int channels) {
  int done = 0;
  while (done < frames && voice.playing) {
    if (voice.frames <= 0) {
      voice.playing = false;
      voice.position = 0;
      break;
    }
    const int64_t left = voice.frames - voice.position;
    const int take = static_cast<int>(std::min<int64_t>(left, frames - done));
    const int16_t* src = voice.samples + voice.position * channels;
    int32_t* dst = acc + static_cast<int64_t>(done) * channels;
    for (int i = 0; i < take * channels; ++i) dst[i] += src[i];
    done += take;
    voice.position += take;
    if (voice.position >= voice.frames) {
      voice.position = 0;
      if (!voice.looping) voice.playing = false;
    }
  }
}

}  // namespace

void mixVoices(std::span<Voice* const> voices, int16_t* out, int frames, int channels) {
  constexpr int kAccSamples = 1024;
  int32_t acc[kAccSamples];
  const int chunkFrames = std::max(kAccSamples / std::max(channels, 1), 1);
  for (int start = 0; start < frames; start += chunkFrames) {
    const int n = std::min(chunkFrames, frames - start);
    const int samples = n * channels;
    std::fill(acc, acc + samples, 0);
    for (Voice* voice : voices) {
      if (voice->playing) addVoice(*voice, acc, n, channels);
    }
    int16_t* dst = out + static_cast<int64_t>(start) * channels;
    for (int i = 0; i < samples; ++i) {
      dst[i] = static_cast<int16_t>(std::clamp<int32_t>(
          acc[i], std::numeric_limits<int16_t>::min(), std::numeric_limits<int16_t>::max()));
    }
  }
}

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
  voices_.reserve(16);
  // SDL would otherwise catch SIGINT and SIGTERM and turn them into events
  // nobody reads: Ctrl+C must still end the game.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  const bool initialised = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
  if (initialised && open()) return;
  const std::string reason = SDL_GetError();
  const char* driver = initialised ? SDL_GetCurrentAudioDriver() : nullptr;
  const bool wasDummy = driver != nullptr && std::strcmp(driver, "dummy") == 0;
  if (initialised) SDL_QuitSubSystem(SDL_INIT_AUDIO);
  if (wasDummy) throw PlatformError("DirectSound", "DirectSoundCreate", reason);

  // No sound server or card: the game still runs, silently.
  std::fprintf(stderr, "Kinopa: no sound device could be opened (%s); playing without sound.\n",
               reason.c_str());
  SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, "dummy", SDL_HINT_OVERRIDE);
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    throw PlatformError("DirectSound", "DirectSoundCreate", SDL_GetError());
  }
  if (!open()) {
    const std::string error = SDL_GetError();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    throw PlatformError("DirectSound", "DirectSoundCreate", error);
  }
}

SoundMixer::~SoundMixer() {
  SDL_CloseAudioDevice(device_);
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

// 44100 Hz is twice the game's own 22050 Hz files, so they convert exactly;
// 512 frames keep the device buffer at 11.6 ms, short enough for an effect to
// follow its event at once, with room left against underruns.
bool SoundMixer::open() {
  SDL_AudioSpec want{};
  want.freq = kFrequency;
  want.format = AUDIO_S16SYS;
  want.channels = kChannels;
  want.samples = kBufferFrames;
  want.callback = &SoundMixer::fill;
  want.userdata = this;
  // No changes allowed: SDL converts to whatever the hardware needs, and the
  // format we get back is the one we asked for. The device opens paused and
  // rests until something plays.
  device_ = SDL_OpenAudioDevice(nullptr, 0, &want, &format_, 0);
  return device_ != 0;
}

void SoundMixer::attach(Voice* voice) {
  Lock lock(*this);
  voices_.push_back(voice);
}

void SoundMixer::detach(Voice* voice) {
  Lock lock(*this);
  std::erase(voices_, voice);
}

void SoundMixer::play(Voice& voice, bool looping) {
  Lock lock(*this);
  voicePlay(voice, looping);
  if (voice.playing && resting_) {
    SDL_PauseAudioDevice(device_, 0);
    resting_ = false;
  }
}

bool SoundMixer::resting() const {
  Lock lock(*this);
  return resting_;
}

// SDL calls this with the device locked, so a play either comes before it
// and is mixed here, or after it and finds the device resting.
void SDLCALL SoundMixer::fill(void* mixer, Uint8* stream, int bytes) {
  auto* self = static_cast<SoundMixer*>(mixer);
  const int channels = self->format_.channels;
  const int frames = bytes / static_cast<int>(sizeof(int16_t) * channels);
  mixVoices(self->voices_, reinterpret_cast<int16_t*>(stream), frames, channels);
  // Nothing left playing: what SDL writes while paused is the silence that
  // this mix would give, so resting changes no sample of the output. (SDL's
  // device lock, held here, is recursive, so pausing from here is safe.)
  if (std::none_of(self->voices_.begin(), self->voices_.end(),
                   [](const Voice* v) { return v->playing; })) {
    SDL_PauseAudioDevice(self->device_, 1);
    self->resting_ = true;
  }
}

}  // namespace kinopa
