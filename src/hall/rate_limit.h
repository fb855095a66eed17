#pragma once
// How often one address may ask for seeds and send games: a bucket of
// tokens for each address, in this process's memory only (behind several
// processes each counts its own share).
#include <chrono>
#include <mutex>
#include <string>
#include <unordered_map>

namespace kinopa::hall {

class RateLimit {
 public:
  using Clock = std::chrono::steady_clock;
  // `perMinute` tokens come back each minute, up to `perMinute` at once.
  explicit RateLimit(double perMinute) : perMinute_(perMinute) {}
  // Takes a token for `address`; false when it has none left.
  bool take(const std::string& address, Clock::time_point now = Clock::now());

 private:
  struct Bucket {
    double tokens;
    Clock::time_point at;
  };
  double perMinute_;
  std::mutex mutex_;
  std::unordered_map<std::string, Bucket> buckets_;
  unsigned takes_ = 0;
};

}  // namespace kinopa::hall
