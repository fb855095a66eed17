#pragma once
// The root media object and the objects it hands out.
#include <memory>
#include <string>

#include "core/media_types.h"
#include "core/sound_device.h"
#include "core/surface.h"

namespace kinopa {

class DirectX7 {
 public:
  std::shared_ptr<DirectDraw7> DirectDrawCreate(const std::string& device);
  std::shared_ptr<DirectSound> DirectSoundCreate(const std::string& device);
  void GetWindowRect(WindowHandle* window, Rect& rect);
};

// The window keeps one root object, created when first needed.
DirectX7& ensureCreated(std::shared_ptr<DirectX7>& dx);

}  // namespace kinopa
