// A sound file as the settings dialog may point at: any bytes at all. Making
// a sound buffer from it must never crash, hang, leak or run away with the
// memory; a file it takes gives a buffer that plays from start to end.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "fuzz_file.h"
#include "core/errors.h"
#include "sdl/sdl_sound.h"

namespace {

using namespace kinopa;

std::unique_ptr<DirectSound> device;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  setenv("SDL_AUDIODRIVER", "dummy", 1);  // no sound card needed, nothing heard
  device = std::make_unique<SdlSound>();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string path = fuzzing::scratchFolder() + "/sound.wav";
  fuzzing::writeInput(path, data, size);
  std::shared_ptr<SoundBuffer> buffer;
  try {
    buffer = device->CreateSoundBufferFromFile(path);
  } catch (const PlatformError&) {
    return 0;  // refused: the game shows it and switches the sound off
  }
  if (buffer->frameCount() <= 0) std::abort();
  buffer->SetCurrentPosition(0);
  buffer->Play(0);
  buffer->Stop();
  return 0;
}
