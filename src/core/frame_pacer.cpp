#include "core/frame_pacer.h"

#include <algorithm>

namespace kinopa {

FramePacer::Clock::time_point FramePacer::frameRan(Clock::time_point began,
                                                   Clock::time_point ended) {
  if (!due_) {
    due_ = ended + kFramePeriod;
    return *due_;
  }
  const Clock::time_point from = std::min(began, *due_);
  due_ = ended - from <= kFramePeriod ? from + kFramePeriod : ended + kFramePeriod;
  return *due_;
}

}  // namespace kinopa
