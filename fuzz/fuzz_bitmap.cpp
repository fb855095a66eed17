// A bitmap in the images folder: any bytes at all. Loading it into a surface
// must never crash, hang, leak or run away with the memory; a bitmap it takes
// gives a surface of the size it reports, which the sprites can be copied
// from and the frame presented with.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz_file.h"
#include "core/errors.h"
#include "core/surface.h"

namespace {

using namespace kinopa;

DirectDraw7 device;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string path = fuzzing::scratchFolder() + "/picture.bmp";
  fuzzing::writeInput(path, data, size);
  SurfaceDesc desc;
  desc.flags = DDSD_CAPS;
  desc.caps = DDSCAPS_OFFSCREENPLAIN;
  std::shared_ptr<Surface> surface;
  try {
    surface = device.CreateSurfaceFromFile(path, desc);
  } catch (const PlatformError&) {
    return 0;  // refused: the game ends with the error box at start-up
  }
  if (surface->width() != desc.width || surface->height() != desc.height) std::abort();
  // Used as a sprite sheet: keyed white, copied onto a back surface.
  surface->SetColorKey(DDCKEY_SRCBLT, {kWhite, kWhite});
  Surface back(400, 600);
  const Rect cell{0, 0, std::min(desc.width, 400), std::min(desc.height, 600)};
  if (back.BltFast(0, 0, *surface, cell, DDBLTFAST_WAIT | DDBLTFAST_SRCCOLORKEY) != 0)
    std::abort();
  return 0;
}
