#include "core/sound_device.h"

#include "core/errors.h"

namespace kinopa {

void DirectSound::SetCooperativeLevel(WindowHandle* window, int32_t level) {
  (void)window;
  if (level < 1 || level > 4) {
    throw PlatformError("DirectSound", "SetCooperativeLevel",
                        "unknown level " + std::to_string(level));
  }
}

}  // namespace kinopa
