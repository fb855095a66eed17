#pragma once
// What changed in a picture since it was last put on the screen, found by
// comparing it with a copy of the one put there before, row by row.
#include <cstdint>
#include <vector>

#include "core/surface_copy.h"

namespace kinopa::pixelcopy {

class FrameChanges {
 public:
  // Rows [top, bottom) that differ, with the columns [left, right) from the
  // first to the last difference in any of them, widened to whole blocks of
  // 64 columns.
  struct Band {
    int32_t top, bottom, left, right;
    bool operator==(const Band&) const = default;
  };

  // Compares `picture` with the one seen last and keeps it as the one seen.
  // All of it is a change when nothing was seen before, the size changed, or
  // after forget(). Bands closer than a few rows are joined.
  const std::vector<Band>& update(ConstBlock picture, Extent size);
  // What is on the screen is no longer what was seen.
  void forget() { valid_ = false; }

 private:
  std::vector<uint32_t> seen_;
  Extent size_;
  bool valid_ = false;
  std::vector<Band> bands_;
};

}  // namespace kinopa::pixelcopy
