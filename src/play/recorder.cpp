#include "play/recorder.h"

#include <cstdio>
#include <cstring>

#include "core/errors.h"

namespace kinopa {
namespace {

// A 30-second game with a busy mouse takes about 150 KB.
constexpr std::size_t kRoom = 1u << 20;
// Once the buffer holds this much it goes to the temporary file; what is
// left is room enough for whatever can come before the next chance.
constexpr std::size_t kMoveAt = kRoom / 2;
// A run left open for weeks stops recording here rather than fill the disk.
constexpr std::size_t kLimit = std::size_t{1} << 30;

}  // namespace

Recorder::Recorder() {
  buffer_.reserve(kRoom);
  append(kHeader);
  append("\n");
}

Recorder::~Recorder() {
  if (spill_) std::fclose(spill_);
}

void Recorder::stop(const char* why) {
  if (full_) return;
  full_ = true;
  std::fprintf(stderr, "kinopa: the recording of this run has stopped: %s\n", why);
}

void Recorder::append(const char* s) {
  if (full_) return;
  const std::size_t n = std::strlen(s);
  // Only if the main loop could not make room in time: better a lost tail
  // than a recording that is silently wrong.
  if (buffer_.size() + n > buffer_.capacity()) return stop("out of room");
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
  char number[40];
  char line[48];
  std::snprintf(line, sizeof line, "random %s\n", exactText(v, number, sizeof number));
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
  if (full_ || buffer_.size() < kMoveAt) return;
  if (spilled_ + buffer_.size() > kLimit) return stop("the run is too long");
  if (!spill_) spill_ = std::tmpfile();
  if (!spill_ || std::fwrite(buffer_.data(), 1, buffer_.size(), spill_) != buffer_.size() ||
      std::fflush(spill_) != 0)
    return stop("the temporary file cannot be written");
  spilled_ += buffer_.size();
  buffer_.clear();  // the room stays
}

std::string Recorder::since(std::size_t offset) const {
  std::string out;
  if (offset < spilled_) {
    out.assign(spilled_ - offset, '\0');
    if (std::fseek(spill_, static_cast<long>(offset), SEEK_SET) != 0 ||
        std::fread(out.data(), 1, out.size(), spill_) != out.size() ||
        std::fseek(spill_, 0, SEEK_END) != 0)
      throw Error("the recording's temporary file cannot be read back");
  }
  out.append(buffer_, offset > spilled_ ? offset - spilled_ : 0);
  return out;
}

std::string Recorder::closing(int frameNumber) const {
  std::string end;
  if (frameNumber > 0) end = "# last " + stateLine(last_, frameNumber) + "\n";
  return end + kEnd + "\n";
}

std::string Recorder::text() const { return since(0) + closing(frames_); }

std::string Recorder::hallLine(uint64_t seed) {
  return std::string(kHallLine) + " " + SeededRandom::kGenerator + " seed " + std::to_string(seed);
}

void Recorder::gameStarts(const CarriedState& s, std::optional<uint64_t> hallSeed) {
  game_ = GameStart{spilled_ + buffer_.size(), lastTick_, frames_, s, hallSeed};
}

std::string Recorder::gameText() const {
  if (!game_) return text();
  char tick[24];
  std::snprintf(tick, sizeof tick, "tick %d\n", game_->tick);
  const std::string hall = game_->hallSeed ? hallLine(*game_->hallSeed) + "\n" : "";
  return std::string(kHeader) + "\n" + hall + stateCommand(game_->state) + "\n" + tick +
         since(game_->offset) + closing(frames_ - game_->frames);
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
