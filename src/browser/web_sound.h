#pragma once
// The sound device in the browser: each buffer is a voice (core/voices.h)
// kept here, its sound an AudioBuffer of the page's Web Audio context,
// decoded here by the game's own wave reader. The page (page.js,
// kinopaHost.audio) starts and stops an audio node for a voice when told,
// every sound summed through a shaper whose curve is the game's own limiter;
// the voices move on by the audio context's clock.
#include <memory>
#include <string>

#include "core/sound_device.h"

namespace kinopa {

class PageAudio;

class WebSound : public DirectSound {
 public:
  WebSound();
  ~WebSound() override;
  std::shared_ptr<SoundBuffer> CreateSoundBufferFromFile(const std::string& path) override;
  void wake() override;
  std::optional<Clock::time_point> tend(bool gameRuns) override;

 private:
  std::shared_ptr<PageAudio> audio_;
};

}  // namespace kinopa
