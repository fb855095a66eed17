#pragma once
// The audio device and the mixing of every playing sound buffer into it.
#include <SDL.h>

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "core/sound_limit.h"

namespace kinopa {

// The playback state of one sound buffer, as the mixer sees it. Samples are
// interleaved 16-bit values in the device's channel layout. While a voice is
// attached to a mixer, touch it only under SoundMixer::Lock.
struct Voice {
  const int16_t* samples = nullptr;
  int64_t frames = 0;
  int64_t position = 0;  // next frame to play, 0 <= position < frames
  bool playing = false;
  bool looping = false;
};

// Buffer operations on a voice. Play starts from the current position; on a
// playing voice it only changes the looping flag.
void voicePlay(Voice& voice, bool looping);
void voiceStop(Voice& voice);  // keeps the position
void voiceSetPosition(Voice& voice, int64_t frame);

// Adds every playing voice into `out` (frames * channels samples, overwritten).
// Voices advance by what they played: a looping voice wraps to its start, a
// voice played once stops at its end and rewinds. Allocates nothing.
void mixVoices(std::span<Voice* const> voices, int16_t* out, int frames, int channels);


// One SDL audio device that mixes the voices attached to it. Everything but
// the audio callback runs on the main thread: the device is opened, paused,
// resumed and closed from there only, never from inside its own callback.
class SoundMixer {
 public:
  using Clock = std::chrono::steady_clock;
  static constexpr int kFrequency = 44100;
  static constexpr int kChannels = 2;
  static constexpr int kBufferFrames = 512;  // 11.6 ms at 44100 Hz
  // A device paused this long with no game running is closed: even paused,
  // SDL's audio thread wakes at every buffer.
  static constexpr std::chrono::seconds kRestBeforeClosing{5};

  // The process's one mixer, opened on first use and closed when the last
  // user lets go of it. It opens the default device; without a usable one,
  // SDL's silent "dummy" driver. Throws PlatformError when not even that opens.
  static std::shared_ptr<SoundMixer> shared();

  SoundMixer();
  ~SoundMixer();
  SoundMixer(const SoundMixer&) = delete;
  SoundMixer& operator=(const SoundMixer&) = delete;

  // Holds off the audio callback while voices are changed.
  class Lock {
   public:
    explicit Lock(const SoundMixer& mixer) : device_(mixer.device_) {
      if (device_ != 0) SDL_LockAudioDevice(device_);
    }
    ~Lock() {
      if (device_ != 0) SDL_UnlockAudioDevice(device_);
    }
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;

   private:
    SDL_AudioDeviceID device_;
  };

  // Both take the lock themselves. A detached voice is never touched again.
  void attach(Voice* voice);
  void detach(Voice* voice);

  // voicePlay on an attached voice, under the lock; a closed device is opened
  // and a paused one resumed, so the sound starts with the next device
  // buffer.
  void play(Voice& voice, bool looping);

  // What the device is doing.
  enum class State { closed, paused, running };
  State state() const { return state_; }
  // A game is about to start: a closed device opens now, so that no frame
  // waits for it.
  void wake();
  // The main loop's care of the device, between frames: once its buffers have
  // gone out silent it is paused; paused for kRestBeforeClosing with no game
  // running, it is closed. Returns when it wants to be tended again, if it
  // does (a sound still playing, a pause that will end in closing).
  std::optional<Clock::time_point> tend(bool gameRuns, Clock::time_point now = Clock::now());

  int frequency() const { return format_.freq; }
  int channels() const { return format_.channels; }
  int bufferFrames() const { return format_.samples; }

 private:
  static void SDLCALL fill(void* mixer, Uint8* stream, int bytes);
  // Opens the device paused; without a usable one, SDL's dummy driver.
  // Throws PlatformError when not even that opens.
  void openDevice();
  bool open();
  void close();
  void resume();
  Clock::duration bufferTime() const;

  SDL_AudioDeviceID device_ = 0;
  SDL_AudioSpec format_{};
  std::vector<Voice*> voices_;
  bool initialised_ = false;  // SDL's audio subsystem
  State state_ = State::closed;
  Clock::time_point pausedAt_{};
  // Under the lock: device buffers in a row that the callback filled with
  // nothing playing from their first sample to their last.
  int silentBuffers_ = 0;
};

}  // namespace kinopa
