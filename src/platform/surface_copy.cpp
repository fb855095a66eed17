#include "platform/surface_copy.h"

#include <cstddef>
#include <cstring>

namespace kinopa::pixelcopy {

namespace {

#if defined(__GNUC__)
// Four pixels at a time; the compiler maps this onto the machine's vector
// registers (SSE2 on x86-64) without any target-specific code here.
using Quad = uint32_t __attribute__((vector_size(16)));

void keyedRow(const uint32_t* src, uint32_t* dst, int32_t width, uint32_t key) {
  const Quad keys = {key, key, key, key};
  int32_t x = 0;
  for (; x + 8 <= width; x += 8) {
    Quad s0, s1, d0, d1;
    std::memcpy(&s0, src + x, sizeof s0);
    std::memcpy(&s1, src + x + 4, sizeof s1);
    std::memcpy(&d0, dst + x, sizeof d0);
    std::memcpy(&d1, dst + x + 4, sizeof d1);
    const Quad m0 = reinterpret_cast<Quad>(s0 == keys);
    const Quad m1 = reinterpret_cast<Quad>(s1 == keys);
    d0 = (d0 & m0) | (s0 & ~m0);
    d1 = (d1 & m1) | (s1 & ~m1);
    std::memcpy(dst + x, &d0, sizeof d0);
    std::memcpy(dst + x + 4, &d1, sizeof d1);
  }
  for (; x < width; ++x) {
    if (src[x] != key) dst[x] = src[x];
  }
}
#else
void keyedRow(const uint32_t* src, uint32_t* dst, int32_t width, uint32_t key) {
  for (int32_t x = 0; x < width; ++x) {
    const uint32_t s = src[x];
    dst[x] = s == key ? dst[x] : s;
  }
}
#endif

}  // namespace

void copyRows(ConstBlock src, Block dst, int32_t width, int32_t height) {
  const size_t bytes = static_cast<size_t>(width) * sizeof(uint32_t);
  if (src.stride == width && dst.stride == width) {
    std::memcpy(dst.pixels, src.pixels, bytes * static_cast<size_t>(height));
    return;
  }
  for (int32_t y = 0; y < height; ++y) {
    std::memcpy(dst.pixels + static_cast<ptrdiff_t>(y) * dst.stride,
                src.pixels + static_cast<ptrdiff_t>(y) * src.stride, bytes);
  }
}

void copyRowsKeyed(ConstBlock src, Block dst, int32_t width, int32_t height, uint32_t key) {
  for (int32_t y = 0; y < height; ++y) {
    keyedRow(src.pixels + static_cast<ptrdiff_t>(y) * src.stride,
             dst.pixels + static_cast<ptrdiff_t>(y) * dst.stride, width, key);
  }
}

int32_t stretchSource(int32_t i, int32_t srcLength, int32_t dstLength) {
  const int64_t numerator = (2 * static_cast<int64_t>(i) + 1) * srcLength;
  return static_cast<int32_t>(numerator / (2 * static_cast<int64_t>(dstLength)));
}

void Stretcher::plan(int32_t srcW, int32_t dstW) {
  columns_.resize(static_cast<size_t>(dstW));
  runs_.clear();
  for (int32_t x = 0; x < dstW; ++x) {
    const int32_t s = stretchSource(x, srcW, dstW);
    columns_[static_cast<size_t>(x)] = s;
    if (!runs_.empty() && runs_.back().src + runs_.back().length == s) {
      ++runs_.back().length;
    } else {
      runs_.push_back(Run{x, s, 1});
    }
  }
}

void Stretcher::copy(ConstBlock src, int32_t srcW, int32_t srcH, Block dst, int32_t dstW,
                     int32_t dstH) {
  plan(srcW, dstW);
  // A squeeze by a few columns leaves a few long runs, best copied whole;
  // an enlargement leaves runs of one pixel, best looked up one by one.
  const bool byRuns = runs_.size() * 8 <= static_cast<size_t>(dstW);
  const size_t rowBytes = static_cast<size_t>(dstW) * sizeof(uint32_t);
  int32_t previous = -1;
  for (int32_t y = 0; y < dstH; ++y) {
    uint32_t* out = dst.pixels + static_cast<ptrdiff_t>(y) * dst.stride;
    const int32_t sy = stretchSource(y, srcH, dstH);
    if (sy == previous) {
      std::memcpy(out, out - dst.stride, rowBytes);
      continue;
    }
    previous = sy;
    const uint32_t* in = src.pixels + static_cast<ptrdiff_t>(sy) * src.stride;
    if (byRuns) {
      for (const Run& run : runs_) {
        std::memcpy(out + run.dst, in + run.src,
                    static_cast<size_t>(run.length) * sizeof(uint32_t));
      }
    } else {
      const int32_t* columns = columns_.data();
      for (int32_t x = 0; x < dstW; ++x) out[x] = in[columns[x]];
    }
  }
}

}  // namespace kinopa::pixelcopy
