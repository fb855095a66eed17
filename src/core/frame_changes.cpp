#include "core/frame_changes.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace kinopa::pixelcopy {
namespace {

// Up to this many unchanged rows between two bands join them: fewer, larger
// copies to the screen are cheaper than many small ones.
constexpr int32_t kJoinGap = 3;
// The changed columns of a row are found a block of pixels at a time: a few
// unchanged pixels written again cost less than finding the exact edges.
constexpr int32_t kBlock = 64;

bool sameBlock(const uint32_t* a, const uint32_t* b, int32_t from, int32_t width) {
  const int32_t n = std::min(kBlock, width - from);
  return std::memcmp(a + from, b + from, static_cast<size_t>(n) * 4) == 0;
}

// The blocks from the first to the last that differ, in two rows that differ
// somewhere: columns [first, last).
void differingSpan(const uint32_t* a, const uint32_t* b, int32_t width, int32_t& first,
                   int32_t& last) {
  first = 0;
  while (sameBlock(a, b, first, width)) first += kBlock;
  int32_t block = (width - 1) / kBlock * kBlock;
  while (block > first && sameBlock(a, b, block, width)) block -= kBlock;
  last = std::min(width, block + kBlock);
}

}  // namespace

const std::vector<FrameChanges::Band>& FrameChanges::update(ConstBlock picture, Extent size) {
  bands_.clear();
  const auto width = static_cast<size_t>(size.width);
  const size_t rowBytes = width * sizeof(uint32_t);
  if (!valid_ || size.width != size_.width || size.height != size_.height) {
    seen_.resize(width * static_cast<size_t>(size.height));
    copyRows(picture, {seen_.data(), size.width}, size.width, size.height);
    size_ = size;
    valid_ = true;
    bands_.push_back({0, size.height, 0, size.width});
    return bands_;
  }
  for (int32_t y = 0; y < size.height; ++y) {
    const uint32_t* now = picture.pixels + static_cast<ptrdiff_t>(y) * picture.stride;
    uint32_t* before = seen_.data() + static_cast<size_t>(y) * width;
    if (std::memcmp(now, before, rowBytes) == 0) continue;
    int32_t first = 0, last = 0;
    differingSpan(now, before, size.width, first, last);
    std::memcpy(before + first, now + first, static_cast<size_t>(last - first) * 4);
    if (!bands_.empty() && y - bands_.back().bottom <= kJoinGap) {
      Band& band = bands_.back();
      band.bottom = y + 1;
      band.left = std::min(band.left, first);
      band.right = std::max(band.right, last);
    } else {
      bands_.push_back({y, y + 1, first, last});
    }
  }
  return bands_;
}

}  // namespace kinopa::pixelcopy
