#include "platform/frame_changes.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace kinopa::pixelcopy {
namespace {

// Up to this many unchanged rows between two bands join them: fewer, larger
// copies to the screen are cheaper than many small ones.
constexpr int32_t kJoinGap = 3;
// Pixels compared at a time while looking for the first and last change.
constexpr int32_t kChunk = 16;

// Whether the kChunk pixels at `a` and `b` are all equal.
bool sameChunk(const uint32_t* a, const uint32_t* b) {
  uint64_t differ = 0;
  for (int32_t i = 0; i < kChunk; i += 2) {
    uint64_t x, y;
    std::memcpy(&x, a + i, sizeof x);
    std::memcpy(&y, b + i, sizeof y);
    differ |= x ^ y;
  }
  return differ == 0;
}

// The first and last differing pixel of two rows that differ somewhere.
void differingSpan(const uint32_t* a, const uint32_t* b, int32_t width, int32_t& first,
                   int32_t& last) {
  first = 0;
  while (first + kChunk <= width && sameChunk(a + first, b + first)) first += kChunk;
  while (a[first] == b[first]) ++first;
  last = width - 1;
  while (last - kChunk >= first && sameChunk(a + last - kChunk + 1, b + last - kChunk + 1))
    last -= kChunk;
  while (a[last] == b[last]) --last;
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
    std::memcpy(before + first, now + first, static_cast<size_t>(last - first + 1) * 4);
    if (!bands_.empty() && y - bands_.back().bottom <= kJoinGap) {
      Band& band = bands_.back();
      band.bottom = y + 1;
      band.left = std::min(band.left, first);
      band.right = std::max(band.right, last + 1);
    } else {
      bands_.push_back({y, y + 1, first, last + 1});
    }
  }
  return bands_;
}

}  // namespace kinopa::pixelcopy
