#pragma once
// The root media object and the objects it hands out.
#include <memory>
#include <string>

#include "core/media_types.h"
#include "core/sound_device.h"
#include "core/surface.h"

namespace kinopa {

// The mouse: created and kept; the game reads the mouse through the play
// field's own events.
class InputDevice {};

class DirectInput {
 public:
  // Only "GUID_SysMouse" is known.
  std::shared_ptr<InputDevice> CreateDevice(const std::string& name);
};

class DirectX7 {
 public:
  std::shared_ptr<DirectDraw7> DirectDrawCreate(const std::string& device);
  std::shared_ptr<DirectSound> DirectSoundCreate(const std::string& device);
  std::shared_ptr<DirectInput> DirectInputCreate();
  void GetWindowRect(WindowHandle* window, Rect& rect);
};

// The window keeps one root object, created when first needed.
DirectX7& ensureCreated(std::shared_ptr<DirectX7>& dx);

}  // namespace kinopa
