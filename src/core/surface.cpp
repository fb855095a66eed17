// Surfaces, the clipper and the drawing device, all in ordinary memory. The
// primary surface has no pixels of its own: it stands for the screen, which
// is reached through the window its clipper is bound to.
#include "core/surface.h"

#include <cstddef>
#include <string>
#include <utility>

#include "core/errors.h"

namespace kinopa {

namespace {

constexpr const char* kSurface = "DirectDrawSurface7";
constexpr const char* kDevice = "DirectDraw7";
constexpr const char* kClipper = "DirectDrawClipper";

// r + 256g + 65536b as a 0xffRRGGBB pixel.
uint32_t pixelOfColour(int32_t colour) {
  const auto c = static_cast<uint32_t>(colour);
  const uint32_t r = c & 0xffu;
  const uint32_t g = (c >> 8) & 0xffu;
  const uint32_t b = (c >> 16) & 0xffu;
  return 0xff000000u | (r << 16) | (g << 8) | b;
}

}  // namespace

void Clipper::SetHWnd(WindowHandle* window) { window_ = window; }

Surface::Surface(int32_t width, int32_t height) : width_(width), height_(height) {
  if (width <= 0 || height <= 0 || width > Surface::kMaxSide || height > Surface::kMaxSide) {
    throw PlatformError(
        kDevice, "CreateSurface",
        "unsupported size " + std::to_string(width) + " x " + std::to_string(height));
  }
  pixels_.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0xff000000u);
}

Surface::Surface(PrimaryTag) : primary_(true) {}

std::shared_ptr<Surface> Surface::primary() {
  return std::shared_ptr<Surface>(new Surface(PrimaryTag{}));
}

uint32_t Surface::pixel(int32_t x, int32_t y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) {
    throw PlatformError(
        kSurface, "pixel",
        "(" + std::to_string(x) + ", " + std::to_string(y) + ") is outside the surface");
  }
  return pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)];
}

void Surface::SetClipper(std::shared_ptr<Clipper> clipper) { clipper_ = std::move(clipper); }

void Surface::SetColorKey(int32_t flags, const ColorKey& key) {
  if (flags != DDCKEY_SRCBLT) {
    throw PlatformError(kSurface, "SetColorKey", "only source colour keys are supported");
  }
  if (key.low != key.high) {
    throw PlatformError(kSurface, "SetColorKey", "colour key ranges are not supported");
  }
  if (key.low < 0 || key.low > 0xffffff) {
    throw PlatformError(kSurface, "SetColorKey", "not a colour: " + std::to_string(key.low));
  }
  keyed_ = true;
  key_ = pixelOfColour(key.low);
}

bool Surface::holds(const Rect& r) const {
  return r.left >= 0 && r.top >= 0 && r.left < r.right && r.top < r.bottom && r.right <= width_ &&
         r.bottom <= height_;
}

pixelcopy::Block Surface::block(const Rect& r) {
  return {pixels_.data() + static_cast<ptrdiff_t>(r.top) * width_ + r.left, width_};
}

pixelcopy::ConstBlock Surface::block(const Rect& r) const {
  return {pixels_.data() + static_cast<ptrdiff_t>(r.top) * width_ + r.left, width_};
}

int32_t Surface::BltFast(int32_t x, int32_t y, Surface& src, const Rect& srcRect, int32_t flags) {
  if ((flags & ~(DDBLTFAST_WAIT | DDBLTFAST_SRCCOLORKEY)) != 0) {
    throw PlatformError(kSurface, "BltFast", "unsupported flags " + std::to_string(flags));
  }
  if (primary_ || src.primary_) {
    throw PlatformError(kSurface, "BltFast", "the screen is reached only through Blt");
  }
  const bool keyed = (flags & DDBLTFAST_SRCCOLORKEY) != 0;
  if (keyed && !src.keyed_) {
    throw PlatformError(kSurface, "BltFast", "the source surface has no colour key");
  }
  if (!src.holds(srcRect)) return DDERR_INVALIDRECT;
  const int32_t w = srcRect.width();
  const int32_t h = srcRect.height();
  const int64_t right = static_cast<int64_t>(x) + w;
  const int64_t bottom = static_cast<int64_t>(y) + h;
  if (x < 0 || y < 0 || right > width_ || bottom > height_) return DDERR_INVALIDRECT;
  const Rect dst{x, y, static_cast<int32_t>(right), static_cast<int32_t>(bottom)};

  pixelcopy::ConstBlock from = std::as_const(src).block(srcRect);
  std::vector<uint32_t> staged;
  if (&src == this) {
    // A copy within one surface may overlap itself: take the source first.
    staged.resize(static_cast<size_t>(w) * static_cast<size_t>(h));
    pixelcopy::copyRows(from, {staged.data(), w}, w, h);
    from = {staged.data(), w};
  }
  if (keyed) {
    pixelcopy::copyRowsKeyed(from, block(dst), w, h, src.key_);
  } else {
    pixelcopy::copyRows(from, block(dst), w, h);
  }
  return 0;
}

int32_t Surface::Blt(const Rect& dst, Surface& src, const Rect& srcRect, int32_t flags) {
  if ((flags & ~DDBLT_WAIT) != 0) {
    throw PlatformError(kSurface, "Blt", "unsupported flags " + std::to_string(flags));
  }
  if (src.primary_) throw PlatformError(kSurface, "Blt", "the screen cannot be read back");
  if (!src.holds(srcRect) || dst.left >= dst.right || dst.top >= dst.bottom) {
    return DDERR_INVALIDRECT;
  }
  if (primary_) return present(dst, src, srcRect);
  if (!holds(dst)) return DDERR_INVALIDRECT;

  pixelcopy::ConstBlock from = std::as_const(src).block(srcRect);
  const int32_t sw = srcRect.width();
  const int32_t sh = srcRect.height();
  std::vector<uint32_t> staged;
  if (&src == this) {
    staged.resize(static_cast<size_t>(sw) * static_cast<size_t>(sh));
    pixelcopy::copyRows(from, {staged.data(), sw}, sw, sh);
    from = {staged.data(), sw};
  }
  if (sw == dst.width() && sh == dst.height()) {
    pixelcopy::copyRows(from, block(dst), sw, sh);
  } else {
    stretcher_.copy(from, sw, sh, block(dst), dst.width(), dst.height());
  }
  return 0;
}

int32_t Surface::present(const Rect& screenRect, const Surface& src, const Rect& srcRect) {
  if (!clipper_) throw PlatformError(kSurface, "Blt", "the screen surface has no clipper");
  WindowHandle* window = clipper_->window();
  if (window == nullptr) throw PlatformError(kClipper, "Blt", "the clipper is bound to no window");
  const int64_t w = static_cast<int64_t>(screenRect.right) - screenRect.left;
  const int64_t h = static_cast<int64_t>(screenRect.bottom) - screenRect.top;
  if (w > Surface::kMaxSide || h > Surface::kMaxSide) return DDERR_INVALIDRECT;
  // The window stretches the picture itself, at its own screen pixels, so
  // the frame is copied once on its way to the screen.
  const PixelView view{src.block(srcRect).pixels, srcRect.width(), srcRect.height(), src.width_};
  if (!window->presentToScreen(view, screenRect)) {
    throw PlatformError(kSurface, "Blt", "the clipper's window cannot be drawn into");
  }
  return 0;
}

void DirectDraw7::SetCooperativeLevel(WindowHandle* window, int32_t flags) {
  if (window == nullptr) throw PlatformError(kDevice, "SetCooperativeLevel", "no window");
  if (flags != DDSCL_NORMAL) {
    throw PlatformError(
        kDevice, "SetCooperativeLevel",
        "only windowed drawing (DDSCL_NORMAL) is supported, got " + std::to_string(flags));
  }
}

std::shared_ptr<Surface> DirectDraw7::CreateSurface(SurfaceDesc& desc) {
  if (desc.flags != DDSD_CAPS || desc.caps != DDSCAPS_PRIMARYSURFACE) {
    throw PlatformError(kDevice, "CreateSurface",
                        "only the primary surface can be created empty (flags " +
                            std::to_string(desc.flags) + ", caps " + std::to_string(desc.caps) +
                            ")");
  }
  return Surface::primary();
}

std::shared_ptr<Clipper> DirectDraw7::CreateClipper(int32_t flags) {
  if (flags != 0) {
    throw PlatformError(kDevice, "CreateClipper", "unsupported flags " + std::to_string(flags));
  }
  return std::make_shared<Clipper>();
}

void DirectDraw7::RestoreAllSurfaces() {}

}  // namespace kinopa
