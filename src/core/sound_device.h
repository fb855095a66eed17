#pragma once
// The sound device as the game plays its sounds: buffers made from wave
// files, played once or looping, stopped and rewound, all mixed by the
// device. Part of the platform face: declared here, made by the program's
// back end (SDL on the desktop, the page's Web Audio in the browser) through
// openDirectSound(); both play their buffers as the voices of core/voices.h.
#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "core/media_types.h"

namespace kinopa {

// One whole sound, in the device's format.
class SoundBuffer {
 public:
  virtual ~SoundBuffer() = default;
  // 0 plays once to the end, DSBPLAY_LOOPING repeats until stopped; playback
  // starts from the current position. Playing a playing buffer changes
  // nothing but the looping flag.
  virtual void Play(int32_t flags) = 0;
  // Stops; the position stays where it was.
  virtual void Stop() = 0;
  // Moves the position (in bytes of the original wave data; 0 rewinds). A
  // position outside the data throws PlatformError.
  virtual void SetCurrentPosition(int32_t position) = 0;

  virtual bool isPlaying() const = 0;
  virtual bool isLooping() const = 0;
  // Current position and length in device frames.
  virtual int64_t framePosition() const = 0;
  virtual int64_t frameCount() const = 0;
};

class DirectSound {
 public:
  using Clock = std::chrono::steady_clock;
  virtual ~DirectSound() = default;

  // Every level lets this process create and play its own buffers; nothing
  // else shares the device through us. An unknown level throws.
  void SetCooperativeLevel(WindowHandle* window, int32_t level);
  // Reads a wave file into a new buffer. A missing file or unusable data
  // throws PlatformError.
  // The file's own format wins, converted to the device's.
  virtual std::shared_ptr<SoundBuffer> CreateSoundBufferFromFile(const std::string& path) = 0;
  // A game is about to start: a device closed after a long rest opens now
  // rather than at the game's first sound.
  virtual void wake() {}
  // Whether the sounds are heard: not when no usable device could be opened
  // (the game then plays on, silently).
  virtual bool heard() const { return true; }
  // Between frames and in idle passes (main thread): a device that has gone
  // silent may rest, and one that has rested a while with no game running
  // may close. Returns when it wants to be tended again, if it does.
  virtual std::optional<Clock::time_point> tend(bool gameRuns) {
    (void)gameRuns;
    return std::nullopt;
  }
};

// The back end's sound device. Throws PlatformError when none can be opened.
std::shared_ptr<DirectSound> openDirectSound();

}  // namespace kinopa
