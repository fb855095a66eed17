#include "core/dx7.h"

#include "core/errors.h"

namespace kinopa {

std::shared_ptr<DirectDraw7> DirectX7::DirectDrawCreate(const std::string& device) {
  if (!device.empty()) throw PlatformError("DirectX7", "DirectDrawCreate", "unknown display device " + device);
  return std::make_shared<DirectDraw7>();
}

std::shared_ptr<DirectSound> DirectX7::DirectSoundCreate(const std::string& device) {
  if (!device.empty()) throw PlatformError("DirectX7", "DirectSoundCreate", "unknown sound device " + device);
  return openDirectSound();
}

void DirectX7::GetWindowRect(WindowHandle* window, Rect& rect) {
  if (!window) throw PlatformError("DirectX7", "GetWindowRect", "no window");
  rect = window->windowRect();
}

DirectX7& ensureCreated(std::shared_ptr<DirectX7>& dx) {
  if (!dx) dx = std::make_shared<DirectX7>();
  return *dx;
}

}  // namespace kinopa
