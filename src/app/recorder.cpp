#include "app/recorder.h"

#include <cstdio>
#include <cstring>

namespace kinopa {
namespace {

// A 30-second game with a busy mouse takes about 200 KB.
constexpr std::size_t kFirstRoom = 1u << 20;
// Room enough for anything one frame and the events after it can add.
constexpr std::size_t kSlack = 64u << 10;
// A run left open for days stops recording here rather than fill memory.
constexpr std::size_t kLimit = 256u << 20;

}  // namespace

Recorder::Recorder() {
  buffer_.reserve(kFirstRoom);
  append(kHeader);
  append("\n");
}

void Recorder::append(const char* s) {
  if (full_) return;
  const std::size_t n = std::strlen(s);
  if (buffer_.size() + n > buffer_.capacity()) {
    // Only if the main loop could not make room in time: better a lost tail
    // than a recording that is silently wrong.
    full_ = true;
    std::fprintf(stderr, "kinopa: the recording of this run has stopped: out of room\n");
    return;
  }
  buffer_.append(s, n);
}

void Recorder::tick(int32_t t) {
  if (t == lastTick_) return;
  lastTick_ = t;
  char line[24];
  std::snprintf(line, sizeof line, "tick %d\n", t);
  append(line);
}

void Recorder::random(double v) {
  char line[40];
  std::snprintf(line, sizeof line, "random %.17g\n", v);
  append(line);
}

void Recorder::frame() {
  append("frame\n");
  ++frames_;
}

void Recorder::point(const char* what, float x, float y) {
  // Nine digits give back the same 32-bit float when read.
  char line[64];
  std::snprintf(line, sizeof line, "%s %.9g %.9g\n", what, static_cast<double>(x),
                static_cast<double>(y));
  append(line);
}

void Recorder::high(int32_t score) {
  char line[24];
  std::snprintf(line, sizeof line, "high %d\n", score);
  append(line);
}

void Recorder::makeRoom() {
  if (full_ || buffer_.capacity() - buffer_.size() >= kSlack) return;
  if (buffer_.capacity() >= kLimit) {
    full_ = true;
    std::fprintf(stderr, "kinopa: this run is too long to record any further\n");
    return;
  }
  buffer_.reserve(buffer_.capacity() * 2);
}

std::string Recorder::text() const {
  std::string all = buffer_;
  if (frames_ > 0) all += "# last " + stateLine(last_, frames_) + "\n";
  all += kEnd;
  all += "\n";
  return all;
}

int32_t RecordedTick::GetTickCount() {
  const int32_t t = clock_.GetTickCount();
  recorder_.tick(t);
  return t;
}

double RecordedRandom::Rnd() {
  const double v = source_.Rnd();
  recorder_.random(v);
  return v;
}

}  // namespace kinopa
