#pragma once
// Helpers shared by the surface tests: recognisable pixel patterns and a
// window that records what is presented to it.
#include <cstdint>
#include <vector>

#include "core/media_types.h"
#include "core/surface.h"

namespace kinopa::testing_surface {

constexpr uint32_t kBlack = 0xff000000u;
constexpr uint32_t kWhitePixel = 0xffffffffu;

// A pixel that names its own position, unique for x, y < 4096.
inline uint32_t tag(int32_t x, int32_t y) {
  return 0xff000000u | (static_cast<uint32_t>(x) << 12) | static_cast<uint32_t>(y);
}

inline void fillTagged(Surface& s) {
  for (int32_t y = 0; y < s.height(); ++y)
    for (int32_t x = 0; x < s.width(); ++x) s.pixels()[y * s.width() + x] = tag(x, y);
}

inline void fillWith(Surface& s, uint32_t value) {
  for (int32_t i = 0; i < s.width() * s.height(); ++i) s.pixels()[i] = value;
}

inline std::vector<uint32_t> snapshot(const Surface& s) {
  return std::vector<uint32_t>(s.pixels(), s.pixels() + s.width() * s.height());
}

// Records every picture handed to the screen.
class RecordingWindow : public WindowHandle {
 public:
  Rect windowRect() const override { return {0, 0, 1920, 1080}; }
  bool presentToScreen(const PixelView& image, const Rect& screenRect) override {
    ++calls;
    lastRect = screenRect;
    lastView = image;
    return accepts;
  }
  uint32_t at(int32_t x, int32_t y) const { return lastView.pixels[y * lastView.stride + x]; }

  bool accepts = true;
  int calls = 0;
  Rect lastRect;
  PixelView lastView;
};

}  // namespace kinopa::testing_surface
