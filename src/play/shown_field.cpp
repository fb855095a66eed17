#include "play/shown_field.h"

#include <algorithm>

#include "core/errors.h"
#include "core/surface.h"
#include "game/ports.h"

namespace kinopa {

ShownField::ShownField(std::string ownPicture)
    : SizedWindow(kFieldWidth, kFieldHeight), ownPicture_(std::move(ownPicture)) {}

bool ShownField::presentToScreen(const PixelView& image, const Rect& screenRect) {
  shown_.width = screenRect.width();
  shown_.height = screenRect.height();
  shown_.pixels.resize(static_cast<std::size_t>(shown_.width) * static_cast<std::size_t>(shown_.height));
  stretcher_.copy({image.pixels, image.stride}, image.width, image.height,
                  {shown_.pixels.data(), shown_.width}, shown_.width, shown_.height);
  ++serial_;
  return true;
}

void ShownField::showOwnPicture() {
  if (ownPicture_.empty()) throw Error("the play field has no picture of its own to show");
  DirectDraw7 dd;
  SurfaceDesc desc{DDSD_CAPS, 0, 0, DDSCAPS_OFFSCREENPLAIN};
  const auto picture = dd.CreateSurfaceFromFile(ownPicture_, desc);
  shown_.width = std::min(picture->width(), kFieldWidth);
  shown_.height = std::min(picture->height(), kFieldHeight);
  shown_.pixels.clear();
  for (int32_t y = 0; y < shown_.height; ++y)
    for (int32_t x = 0; x < shown_.width; ++x) shown_.pixels.push_back(picture->pixel(x, y));
  ++serial_;
}

const Picture& ShownField::shown() {
  if (serial_ == 0) showOwnPicture();
  return shown_;
}

}  // namespace kinopa
