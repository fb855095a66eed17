#pragma once
// The audio device and the mixing of every playing sound buffer into it.
#include <SDL.h>

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

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

// Adds every playing voice into `out` (frames * channels samples, overwritten),
// saturating at the int16 limits. Voices advance by what they played: a looping
// voice wraps to its start, a voice played once stops at its end and rewinds.
// Allocates nothing.
void mixVoices(std::span<Voice* const> voices, int16_t* out, int frames, int channels);

// One open SDL audio device that mixes the voices attached to it.
class SoundMixer {
 public:
  static constexpr int kFrequency = 44100;
  static constexpr int kChannels = 2;
  static constexpr int kBufferFrames = 512;  // 11.6 ms at 44100 Hz

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
      SDL_LockAudioDevice(device_);
    }
    ~Lock() { SDL_UnlockAudioDevice(device_); }
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;

   private:
    SDL_AudioDeviceID device_;
  };

  // Both take the lock themselves. A detached voice is never touched again.
  void attach(Voice* voice);
  void detach(Voice* voice);

  // voicePlay on an attached voice, under the lock; wakes the device when it
  // rests, so the sound starts with the next device buffer.
  void play(Voice& voice, bool looping);

  // The device rests (SDL writes silence and our callback is not called)
  // from the end of a buffer in which nothing was left playing until the
  // next play. Takes the lock.
  bool resting() const;

  int frequency() const { return format_.freq; }
  int channels() const { return format_.channels; }
  int bufferFrames() const { return format_.samples; }

 private:
  static void SDLCALL fill(void* mixer, Uint8* stream, int bytes);
  bool open();

  SDL_AudioDeviceID device_ = 0;
  SDL_AudioSpec format_{};
  std::vector<Voice*> voices_;
  bool resting_ = true;  // under the lock; SDL opens a device paused
};

}  // namespace kinopa
