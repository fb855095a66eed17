#pragma once
// Drawing device, surfaces and clipper: 32-bit pixel buffers in memory.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/media_types.h"
#include "core/surface_copy.h"

namespace kinopa {

class Clipper {
 public:
  void SetHWnd(WindowHandle* window);
  WindowHandle* window() const { return window_; }

 private:
  WindowHandle* window_ = nullptr;
};

class Surface {
 public:
  // Largest side of a surface, and of a picture handed to the screen.
  static constexpr int32_t kMaxSide = 16384;

  // An off-screen surface of the given size, filled with black.
  Surface(int32_t width, int32_t height);
  // The primary surface: the screen, reached through its clipper's window.
  static std::shared_ptr<Surface> primary();

  int32_t width() const { return width_; }
  int32_t height() const { return height_; }
  bool isPrimary() const { return primary_; }
  // Pixels as 0xffRRGGBB, row by row, width() pixels a row.
  uint32_t* pixels() { return pixels_.data(); }
  const uint32_t* pixels() const { return pixels_.data(); }
  uint32_t pixel(int32_t x, int32_t y) const;

  void SetClipper(std::shared_ptr<Clipper> clipper);
  void SetColorKey(int32_t flags, const ColorKey& key);

  // Copies `srcRect` of `src`, stretched to `dst` when the sizes differ
  // (nearest pixel, no filtering: destination pixel i shows source pixel
  // floor((i + 0.5) * srcWidth / dstWidth), see pixelcopy::stretchSource).
  // On the primary surface `dst` is in screen pixels and the clipper's window
  // stretches the picture there itself.
  // Returns 0 when done, DDERR_INVALIDRECT when a rectangle does not fit
  // (nothing drawn).
  int32_t Blt(const Rect& dst, Surface& src, const Rect& srcRect, int32_t flags);
  // Unscaled copy of `srcRect` to (x, y). With DDBLTFAST_SRCCOLORKEY the
  // source's colour key is transparent. A copy reaching outside this surface
  // or outside the source is refused whole: DDERR_INVALIDRECT, nothing drawn.
  int32_t BltFast(int32_t x, int32_t y, Surface& src, const Rect& srcRect, int32_t flags);
  // Outline of a rounded rectangle with the default pen: 1 pixel, black,
  // no fill. Parts outside the surface are clipped.
  void DrawRoundedBox(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t rw, int32_t rh);

 private:
  struct PrimaryTag {};
  explicit Surface(PrimaryTag);

  // True when `r` is not empty and lies wholly inside this surface.
  bool holds(const Rect& r) const;
  pixelcopy::Block block(const Rect& r);
  pixelcopy::ConstBlock block(const Rect& r) const;
  // The stretched, clipped copy of a Blt onto the screen.
  int32_t present(const Rect& screenRect, const Surface& src, const Rect& srcRect);
  // Paints one pixel with the default pen when it lies on the surface.
  void plot(int64_t x, int64_t y);

  int32_t width_ = 0;
  int32_t height_ = 0;
  bool primary_ = false;
  bool keyed_ = false;
  uint32_t key_ = 0;  // as a 0xffRRGGBB pixel
  std::vector<uint32_t> pixels_;
  std::shared_ptr<Clipper> clipper_;
  pixelcopy::Stretcher stretcher_;
};

class DirectDraw7 {
 public:
  void SetCooperativeLevel(WindowHandle* window, int32_t flags);
  // Only the primary surface (DDSD_CAPS, DDSCAPS_PRIMARYSURFACE).
  std::shared_ptr<Surface> CreateSurface(SurfaceDesc& desc);
  std::shared_ptr<Clipper> CreateClipper(int32_t flags);
  // Reads a Windows bitmap into a new off-screen surface of its own size and
  // writes that size into `desc`. A missing or unreadable file throws.
  std::shared_ptr<Surface> CreateSurfaceFromFile(const std::string& path, SurfaceDesc& desc);
  // Surfaces live in ordinary memory and are never lost: nothing to restore.
  void RestoreAllSurfaces();
};

}  // namespace kinopa
