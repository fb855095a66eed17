#pragma once
// The SDL audio device that plays the voices: opening, pausing, resuming and
// closing it, and its audio callback, which mixes them.
#include <SDL.h>

#include <memory>

#include "core/voices.h"

namespace kinopa {

// One SDL audio device and the voices it mixes. Everything but the audio
// callback runs on the main thread: the device is opened, paused, resumed
// and closed from there only, never from inside its own callback.
class SoundMixer : public VoiceOutput {
 public:
  static constexpr int kFrequency = 44100;
  static constexpr int kChannels = 2;
  static constexpr int kBufferFrames = 512;  // 11.6 ms at 44100 Hz

  // The process's one mixer, opened on first use and closed when the last
  // user lets go of it. It opens the default device; without a usable one,
  // SDL's silent "dummy" driver. Throws PlatformError when not even that opens.
  static std::shared_ptr<SoundMixer> shared();
  // The mixer's voices, keeping the mixer alive.
  static std::shared_ptr<Voices> voicesOf(const std::shared_ptr<SoundMixer>& mixer) {
    return {mixer, &mixer->voices_};
  }

  SoundMixer();
  ~SoundMixer() override;
  SoundMixer(const SoundMixer&) = delete;
  SoundMixer& operator=(const SoundMixer&) = delete;

  Voices& voices() { return voices_; }
  int channels() const { return format_.channels; }

  int frequency() const override { return format_.freq; }
  int bufferFrames() const override { return format_.samples; }
  // The one after the last sound's end and one more, so that whatever the
  // device (or a layer under it) still holds is silence when the pause
  // throws it away.
  int silentBuffersBeforePause() const override { return 2; }
  bool heard() const override { return !stoodIn_; }
  // Opens the device paused; without a usable one, SDL's dummy driver.
  void open() override;
  void resume() override { SDL_PauseAudioDevice(device_, 0); }
  void pause() override { SDL_PauseAudioDevice(device_, 1); }
  void close() override;
  void lock() override {
    if (device_ != 0) SDL_LockAudioDevice(device_);
  }
  void unlock() override {
    if (device_ != 0) SDL_UnlockAudioDevice(device_);
  }

 private:
  static void SDLCALL fill(void* mixer, Uint8* stream, int bytes);
  bool openDevice();

  SDL_AudioDeviceID device_ = 0;
  SDL_AudioSpec format_{};
  bool initialised_ = false;  // SDL's audio subsystem
  bool stoodIn_ = false;      // the dummy driver plays for want of a device
  Voices voices_{*this};
};

}  // namespace kinopa
