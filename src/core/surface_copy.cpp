#include "core/surface_copy.h"

#include <algorithm>
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

// Each of `count` pixels twice, into `rows` rows `stride` pixels apart.
void doubledRow(const uint32_t* in, uint32_t* out, int32_t count, int32_t rows,
                ptrdiff_t stride) {
  int32_t i = 0;
  for (; i + 4 <= count; i += 4) {
    Quad s;
    std::memcpy(&s, in + i, sizeof s);
    const Quad low = __builtin_shufflevector(s, s, 0, 0, 1, 1);
    const Quad high = __builtin_shufflevector(s, s, 2, 2, 3, 3);
    for (int32_t r = 0; r < rows; ++r) {
      std::memcpy(out + r * stride + 2 * i, &low, sizeof low);
      std::memcpy(out + r * stride + 2 * i + 4, &high, sizeof high);
    }
  }
  for (; i < count; ++i) {
    for (int32_t r = 0; r < rows; ++r) {
      out[r * stride + 2 * i] = in[i];
      out[r * stride + 2 * i + 1] = in[i];
    }
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

// Each of `count` pixels n times over, into `rows` rows `stride` pixels
// apart: written from the source each time, never read back.
void repeatedRow(const uint32_t* in, uint32_t* out, int32_t count, int32_t n, int32_t rows,
                 ptrdiff_t stride) {
#if defined(__GNUC__)
  if (n == 2) {
    doubledRow(in, out, count, rows, stride);
    return;
  }
#endif
  for (int32_t r = 0; r < rows; ++r)
    for (int32_t i = 0; i < count; ++i)
      for (int32_t k = 0; k < n; ++k) out[r * stride + i * n + k] = in[i];
}

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

namespace {

// The source pixel that screen pixel `i` shows through a frame pixel.
int32_t shownSource(int32_t i, int32_t srcLength, int32_t frameLength, int32_t deviceLength) {
  return stretchSource(stretchSource(i, frameLength, deviceLength), srcLength, frameLength);
}

}  // namespace

void Stretcher::plan(int32_t srcW, int32_t frameW, int32_t deviceW, int32_t from, int32_t count) {
  const int32_t wanted[3] = {srcW, frameW, deviceW};
  if (!std::equal(wanted, wanted + 3, planned_)) {
    std::copy(wanted, wanted + 3, planned_);
    columns_.resize(static_cast<size_t>(deviceW));
    allRuns_.clear();
    for (int32_t x = 0; x < deviceW; ++x) {
      const int32_t s = shownSource(x, srcW, frameW, deviceW);
      columns_[static_cast<size_t>(x)] = s;
      if (!allRuns_.empty() && allRuns_.back().src + allRuns_.back().length == s) {
        ++allRuns_.back().length;
      } else {
        allRuns_.push_back(Run{x, s, 1});
      }
    }
  }
  // The runs of the columns [from, from + count), counted from `from`.
  runs_.clear();
  for (const Run& run : allRuns_) {
    const int32_t begin = std::max(run.dst, from);
    const int32_t end = std::min(run.dst + run.length, from + count);
    if (begin < end) runs_.push_back(Run{begin - from, run.src + begin - run.dst, end - begin});
  }
}

void Stretcher::copy(ConstBlock src, int32_t srcW, int32_t srcH, Block dst, int32_t dstW,
                     int32_t dstH) {
  copyToDevice(src, {srcW, srcH}, {dstW, dstH}, {dstW, dstH}, Rect{0, 0, dstW, dstH}, dst);
}

void Stretcher::copyToDevice(ConstBlock src, Extent source, Extent frame, Extent device,
                             const Rect& part, Block dst) {
  const int32_t width = part.width();
  // At a whole scale n the columns are planned a frame pixel at a time, each
  // then written n times over.
  const int32_t n = device.width % frame.width == 0 ? device.width / frame.width : 0;
  const bool whole = n > 1 && part.left % n == 0 && width % n == 0;
  if (whole) {
    plan(source.width, frame.width, frame.width, part.left / n, width / n);
  } else {
    plan(source.width, frame.width, device.width, part.left, width);
  }
  // A squeeze by a few columns leaves a few long runs, best copied whole;
  // an enlargement leaves runs of one pixel, best looked up one by one.
  const bool byRuns = whole || runs_.size() * 8 <= static_cast<size_t>(width);
  const size_t rowBytes = static_cast<size_t>(width) * sizeof(uint32_t);
  int32_t previous = -1;
  for (int32_t y = 0; y < part.height();) {
    uint32_t* out = dst.pixels + static_cast<ptrdiff_t>(y) * dst.stride;
    const int32_t sy = shownSource(part.top + y, source.height, frame.height, device.height);
    if (whole) {
      // The rows showing the same source row are written together.
      int32_t rows = 1;
      while (y + rows < part.height() &&
             shownSource(part.top + y + rows, source.height, frame.height, device.height) == sy)
        ++rows;
      const uint32_t* in = src.pixels + static_cast<ptrdiff_t>(sy) * src.stride;
      for (const Run& run : runs_)
        repeatedRow(in + run.src, out + run.dst * n, run.length, n, rows, dst.stride);
      y += rows;
      continue;
    }
    ++y;
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
      const int32_t* columns = columns_.data() + part.left;
      for (int32_t x = 0; x < width; ++x) out[x] = in[columns[x]];
    }
  }
}

}  // namespace kinopa::pixelcopy
