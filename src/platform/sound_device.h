#pragma once
// Sound device and sound buffers, played through one SDL audio device.
#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/media_types.h"

namespace kinopa {

class SoundMixer;  // the audio device and the buffers it mixes

// One whole sound, converted to the device's format. One instance at a time.
class SoundBuffer {
 public:
  ~SoundBuffer();
  // 0 plays once to the end, DSBPLAY_LOOPING repeats until stopped; playback
  // starts from the current position. Playing a playing buffer changes
  // nothing but the looping flag.
  void Play(int32_t flags);
  // Stops; the position stays where it was.
  void Stop();
  // Moves the position (in bytes of the original wave data; 0 rewinds).
  void SetCurrentPosition(int32_t position);

  bool isPlaying() const;
  bool isLooping() const;
  // Current position in device frames.
  int64_t framePosition() const;
  int64_t frameCount() const;

 private:
  friend class DirectSound;
  struct State;
  explicit SoundBuffer(std::shared_ptr<State> state);
  std::shared_ptr<State> state_;
};

class DirectSound {
 public:
  DirectSound();  // opens the audio device
  ~DirectSound();
  void SetCooperativeLevel(WindowHandle* window, int32_t level);
  // Reads a wave file (any format SDL's loader takes) into a new buffer.
  // A missing file or unusable data throws PlatformError.
  std::shared_ptr<SoundBuffer> CreateSoundBufferFromFile(const std::string& path,
                                                         SoundBufferDesc& desc,
                                                         WaveFormat& format);
  // A game is about to start: the device, closed after a long rest, opens
  // now rather than at the game's first sound.
  void wake();
  // Between frames and in idle passes (main thread): a device that has gone
  // silent pauses, and one that has rested a while with no game running
  // closes. Returns when it wants to be tended again, if it does.
  std::optional<std::chrono::steady_clock::time_point> tend(bool gameRuns);

  // The device's sample rate, channel count and buffer size in frames.
  int deviceFrequency() const;
  int deviceChannels() const;
  int deviceBufferFrames() const;

 private:
  std::shared_ptr<SoundMixer> mixer_;
};

}  // namespace kinopa
