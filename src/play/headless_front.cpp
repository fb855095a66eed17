#include "play/headless_front.h"

#include <algorithm>

#include "core/errors.h"
#include "core/surface.h"

namespace kinopa {

HeadlessFront::HeadlessFront(std::string fieldPicture) : fieldPicture_(std::move(fieldPicture)) {}

bool HeadlessFront::Field::presentToScreen(const PixelView& image, const Rect& screenRect) {
  // Stretched to the field's own pixels, as a window at scale 1 shows it.
  shown.width = screenRect.width();
  shown.height = screenRect.height();
  shown.pixels.resize(static_cast<std::size_t>(shown.width) * static_cast<std::size_t>(shown.height));
  stretcher_.copy({image.pixels, image.stride}, image.width, image.height,
                  {shown.pixels.data(), shown.width}, shown.width, shown.height);
  ++presents;
  return true;
}

Picture HeadlessFront::fieldPicture() const {
  if (field_.presents > 0) return field_.shown;
  if (fieldPicture_.empty()) throw Error("the play field has shown nothing yet");
  // Its own picture at its natural size, cut off at the field's edges.
  DirectDraw7 dd;
  SurfaceDesc desc{DDSD_CAPS, 0, 0, DDSCAPS_OFFSCREENPLAIN};
  const auto surface = dd.CreateSurfaceFromFile(fieldPicture_, desc);
  Picture p;
  p.width = std::min(surface->width(), kFieldWidth);
  p.height = std::min(surface->height(), kFieldHeight);
  for (int32_t y = 0; y < p.height; ++y)
    for (int32_t x = 0; x < p.width; ++x) p.pixels.push_back(surface->pixel(x, y));
  return p;
}

}  // namespace kinopa
