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

int64_t sourceFrameAt(int32_t position, int64_t sourceBytes, int blockAlign) {
  if (position < 0 || position >= sourceBytes) {
    throw PlatformError("DirectSoundBuffer", "SetCurrentPosition",
                        "position " + std::to_string(position) + " lies outside the buffer");
  }
  return position / blockAlign;
}

}  // namespace kinopa
