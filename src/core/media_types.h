#pragma once
// Records and flag values passed to the media objects.
#include <cstdint>
#include <vector>

namespace kinopa {

// Right and bottom are exclusive: {0, 0, 400, 600} covers 400 x 600 pixels.
struct Rect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;
  int32_t width() const { return right - left; }
  int32_t height() const { return bottom - top; }
  bool operator==(const Rect&) const = default;
};

struct SurfaceDesc {
  int32_t flags = 0;
  int32_t height = 0;
  int32_t width = 0;
  int32_t caps = 0;
};

// Colours are red + 256 * green + 65536 * blue.
struct ColorKey {
  int32_t low = 0;
  int32_t high = 0;
};

constexpr int32_t rgb(int r, int g, int b) { return r + 256 * g + 65536 * b; }
constexpr int32_t kWhite = rgb(255, 255, 255);

// Surface descriptions.
constexpr int32_t DDSD_CAPS = 1;
constexpr int32_t DDSD_HEIGHT = 2;
constexpr int32_t DDSD_WIDTH = 4;
constexpr int32_t DDSCAPS_OFFSCREENPLAIN = 64;
constexpr int32_t DDSCAPS_PRIMARYSURFACE = 512;
// Cooperative levels.
constexpr int32_t DDSCL_NORMAL = 8;
constexpr int32_t DSSCL_PRIORITY = 2;
// Colour keys and copies.
constexpr int32_t DDCKEY_SRCBLT = 8;
constexpr int32_t DDBLT_WAIT = 16777216;
constexpr int32_t DDBLTFAST_WAIT = 16;
constexpr int32_t DDBLTFAST_SRCCOLORKEY = 1;
// Result code of a copy refused because a rectangle does not fit.
constexpr int32_t DDERR_INVALIDRECT = -2005532542;
// Sound buffers.
constexpr int32_t DSBPLAY_LOOPING = 1;

// Mouse buttons and shift keys as the play field's handlers receive them.
constexpr int kLeftButton = 1, kRightButton = 2, kMiddleButton = 4;
constexpr int kShiftKey = 1, kCtrlKey = 2, kAltKey = 4;

// Pixels handed to a window: 32-bit 0xffRRGGBB values, `stride` pixels a row.
struct PixelView {
  const uint32_t* pixels = nullptr;
  int32_t width = 0;
  int32_t height = 0;
  int32_t stride = 0;
};

// A picture kept in memory: 0xffRRGGBB pixels, row by row.
struct Picture {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint32_t> pixels;
  bool operator==(const Picture&) const = default;
};

// A window of the window system, as the media objects see it.
class WindowHandle {
 public:
  virtual ~WindowHandle() = default;
  // The window's outer bounds in screen pixels.
  virtual Rect windowRect() const = 0;
  // Puts `image` on the screen at `screenRect`, stretched to that rectangle
  // by the nearest-pixel rule of pixelcopy::Stretcher at the screen's own
  // pixels, clipped to this window's visible part, at once. The window may
  // keep `image` to read it again while the surface it shows lives. Windows
  // that cannot be drawn into return false.
  virtual bool presentToScreen(const PixelView& image, const Rect& screenRect) {
    (void)image;
    (void)screenRect;
    return false;
  }
};

}  // namespace kinopa
