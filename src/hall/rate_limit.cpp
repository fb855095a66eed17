#include "hall/rate_limit.h"

#include <algorithm>
#include <iterator>

namespace kinopa::hall {

bool RateLimit::take(const std::string& address, Clock::time_point now) {
  const std::lock_guard lock(mutex_);
  const auto refill = [&](Bucket& b) {
    const double minutes = std::chrono::duration<double, std::ratio<60>>(now - b.at).count();
    b.tokens = std::min(perMinute_, b.tokens + minutes * perMinute_);
    b.at = now;
  };
  // Now and then, the buckets full again go: they are as good as new.
  if (++takes_ % 4096 == 0) {
    for (auto it = buckets_.begin(); it != buckets_.end();) {
      refill(it->second);
      it = it->second.tokens >= perMinute_ ? buckets_.erase(it) : std::next(it);
    }
  }
  const auto [it, added] = buckets_.try_emplace(address, Bucket{perMinute_, now});
  Bucket& b = it->second;
  if (!added) refill(b);
  if (b.tokens < 1) return false;
  b.tokens -= 1;
  return true;
}

}  // namespace kinopa::hall
