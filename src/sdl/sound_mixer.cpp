#include "sdl/sound_mixer.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <string>

#include "core/errors.h"

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
    for (int i = 0; i < samples; ++i) dst[i] = limitSample(acc[i]);
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
  initialised_ = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
  openDevice();
}

SoundMixer::~SoundMixer() {
  close();
  if (initialised_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void SoundMixer::openDevice() {
  if (initialised_ && open()) return;
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
  if (!open()) {
    const std::string error = SDL_GetError();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    initialised_ = false;
    throw PlatformError("DirectSound", "DirectSoundCreate", error);
  }
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
  // format we get back is the one we asked for, at every opening. The device
  // opens paused.
  SDL_AudioSpec got{};
  device_ = SDL_OpenAudioDevice(nullptr, 0, &want, &got, 0);
  if (device_ == 0) return false;
  format_ = got;
  state_ = State::paused;
  pausedAt_ = Clock::now();
  silentBuffers_ = 0;
  return true;
}

void SoundMixer::close() {
  if (device_ == 0) return;
  SDL_CloseAudioDevice(device_);  // waits for the audio thread to end
  device_ = 0;
  state_ = State::closed;
}

void SoundMixer::resume() {
  SDL_PauseAudioDevice(device_, 0);
  state_ = State::running;
}

SoundMixer::Clock::duration SoundMixer::bufferTime() const {
  return std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(
      static_cast<double>(format_.samples) / std::max(format_.freq, 1)));
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
  if (state_ == State::closed) openDevice();
  {
    Lock lock(*this);
    voicePlay(voice, looping);
    if (!voice.playing) return;
    silentBuffers_ = 0;
  }
  if (state_ == State::paused) resume();
}

void SoundMixer::wake() {
  if (state_ == State::closed) openDevice();
}

std::optional<SoundMixer::Clock::time_point> SoundMixer::tend(bool gameRuns,
                                                              Clock::time_point now) {
  // Buffers that go out silent before the device pauses: the one after the
  // last sound's end and one more, so that whatever the device (or a layer
  // under it) still holds is silence when the pause throws it away.
  constexpr int kSilentBeforePause = 2;
  if (state_ == State::running) {
    int silent = 0;
    int64_t framesLeft = 0;  // of the longest sound still playing
    bool looping = false;
    {
      Lock lock(*this);
      silent = silentBuffers_;
      for (const Voice* v : voices_) {
        if (!v->playing) continue;
        looping = looping || v->looping;
        framesLeft = std::max(framesLeft, v->frames - v->position);
      }
    }
    if (looping) return std::nullopt;  // the music: it plays until halted
    if (framesLeft > 0 || silent < kSilentBeforePause) {
      const auto ahead = std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(
          static_cast<double>(framesLeft) / std::max(format_.freq, 1)));
      return now + ahead + bufferTime() * (kSilentBeforePause - std::min(silent, kSilentBeforePause) + 1);
    }
    SDL_PauseAudioDevice(device_, 1);
    state_ = State::paused;
    pausedAt_ = now;
  }
  if (state_ != State::paused) return std::nullopt;
  if (gameRuns) {
    pausedAt_ = now;  // the rest before closing counts from the game's end
    return std::nullopt;
  }
  if (now - pausedAt_ < kRestBeforeClosing) return pausedAt_ + kRestBeforeClosing;
  close();
  return std::nullopt;
}

// SDL calls this with the device locked, so a play either comes before it
// and is mixed here, or after it and counts as heard from the next buffer.
void SDLCALL SoundMixer::fill(void* mixer, Uint8* stream, int bytes) {
  auto* self = static_cast<SoundMixer*>(mixer);
  const int channels = self->format_.channels;
  const int frames = bytes / static_cast<int>(sizeof(int16_t) * channels);
  const bool sounding = std::any_of(self->voices_.begin(), self->voices_.end(),
                                    [](const Voice* v) { return v->playing; });
  mixVoices(self->voices_, reinterpret_cast<int16_t*>(stream), frames, channels);
  // The main loop pauses the device once enough of these have gone out.
  self->silentBuffers_ = sounding ? 0 : std::min(self->silentBuffers_ + 1, 1000);
}

}  // namespace kinopa
