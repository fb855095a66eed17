#pragma once
// The sound device in the browser: each buffer is an AudioBuffer of the
// page's Web Audio context, decoded here by the game's own wave reader and
// played, stopped and rewound by the page (page.js, kinopaHost.audio), every
// sound summed through a shaper whose curve is the game's own limiter.
#include <memory>
#include <string>

#include "core/sound_device.h"

namespace kinopa {

class WebSound : public DirectSound {
 public:
  std::shared_ptr<SoundBuffer> CreateSoundBufferFromFile(const std::string& path) override;
  void wake() override;
  std::optional<Clock::time_point> tend(bool gameRuns) override;
};

}  // namespace kinopa
