#pragma once
// The five sound buffers of the main window, one per sound row.
#include <memory>

#include "core/errors.h"
#include "core/sound_device.h"

namespace kinopa {

struct SoundBuffers {
  std::shared_ptr<SoundBuffer> musicBuffer;
  std::shared_ptr<SoundBuffer> zarupOkBuffer;
  std::shared_ptr<SoundBuffer> zarupFallBuffer;
  std::shared_ptr<SoundBuffer> melkitOkBuffer;
  std::shared_ptr<SoundBuffer> melkitMissBuffer;

  // The buffer of row 1 (music) to 5 (melkit click failure).
  std::shared_ptr<SoundBuffer>& ofRow(int row) {
    switch (row) {
      case 1: return musicBuffer;
      case 2: return zarupOkBuffer;
      case 3: return zarupFallBuffer;
      case 4: return melkitOkBuffer;
      case 5: return melkitMissBuffer;
    }
    throw IndexError();
  }
};

}  // namespace kinopa
