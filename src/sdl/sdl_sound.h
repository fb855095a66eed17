#pragma once
// The sound device on SDL 2: every buffer is a voice of the one mixer that
// feeds the audio device.
#include <memory>
#include <string>

#include "core/sound_device.h"

namespace kinopa {

class SoundMixer;

class SdlSound : public DirectSound {
 public:
  SdlSound();  // opens the audio device (SDL's silent one when there is none)
  ~SdlSound() override;

  std::shared_ptr<SoundBuffer> CreateSoundBufferFromFile(const std::string& path) override;
  void wake() override;
  bool heard() const override;
  std::optional<Clock::time_point> tend(bool gameRuns) override;

  // The device's sample rate, channel count and buffer size in frames.
  int deviceFrequency() const;
  int deviceChannels() const;
  int deviceBufferFrames() const;

 private:
  std::shared_ptr<SoundMixer> mixer_;
};

}  // namespace kinopa
