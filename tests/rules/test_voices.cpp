// The sound device's voices, as both back ends play them: buffers played
// once or looping, stopped and moved, mixed (sums bent below full scale) or
// moved on by the device's own clock, and the device's rest between sounds.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "core/errors.h"
#include "core/sound_limit.h"
#include "core/voices.h"

namespace kinopa {
namespace {

using namespace std::chrono_literals;

// The device as the voices see it: what they asked of it, and where it has
// one, its own clock in frames (as the page's audio context).
class Device : public VoiceOutput {
 public:
  std::string calls;
  std::optional<int64_t> clock;

  int frequency() const override { return 44100; }
  int bufferFrames() const override { return 4; }
  int silentBuffersBeforePause() const override { return 2; }
  void open() override { calls += "open "; }
  void resume() override { calls += "resume "; }
  void pause() override { calls += "pause "; }
  void close() override { calls += "close "; }
  std::optional<int64_t> framesPlayed() override { return clock; }
  void started(const Voice& v) override {
    calls += "start" + std::to_string(v.position) + (v.looping ? "looping " : " ");
  }
  void stopped(const Voice&) override { calls += "stop "; }
  void loopingChanged(const Voice& v) override { calls += v.looping ? "loop " : "once "; }
  void released(const Voice&) override { calls += "release "; }
  std::string taken() { return std::exchange(calls, ""); }
};

// Stereo frames in the device's own format (4 bytes each), frame i sounding
// `left[i]` on the left and its negation on the right.
DeviceSound sound(const std::vector<int16_t>& left) {
  DeviceSound s;
  for (int16_t v : left) s.samples.insert(s.samples.end(), {v, static_cast<int16_t>(-v)});
  s.frames = static_cast<int64_t>(left.size());
  s.sourceFrequency = 44100;
  s.sourceBlockAlign = 4;
  s.sourceBytes = 4 * s.frames;
  return s;
}

struct Rig {
  Device device;
  std::shared_ptr<Voices> voices = std::make_shared<Voices>(device);
  // Ten frames sounding 100, 200 ... 1000.
  std::shared_ptr<SoundBuffer> buffer =
      makeVoiceBuffer(voices, sound({100, 200, 300, 400, 500, 600, 700, 800, 900, 1000}));

  // Mixes `frames` in blocks of `block`: the buffer's frame heard at each
  // ("1" to "9", "A" for the tenth, "0" for silence).
  std::string heard(int frames, int block) {
    std::string ids;
    for (int done = 0; done < frames; done += block) {
      const int n = std::min(block, frames - done);
      std::vector<int16_t> out(static_cast<size_t>(n) * 2, 12345);
      voices->mix(out.data(), n, 2);
      for (int i = 0; i < n; ++i) {
        EXPECT_EQ(out[2 * i], -out[2 * i + 1]) << "channels out of step";
        ids += "0123456789A"[out[2 * i] / 100];
      }
    }
    return ids;
  }
};

// The buffer's operations between mixes: P play once, L play looping, S
// stop, R<n> move to frame n, M<n>[/<block>] mix n frames.
TEST(Voices, BuffersPlayStopMoveAndMix) {
  const struct {
    const char* name;
    const char* ops;
    std::string heard;
    int64_t position;
    bool playing;
  } cases[] = {
      {"once runs to its end, stops and rewinds", "P M16/4", "123456789A000000", 0, false},
      {"once from the middle plays the rest", "R6 P M8", "789A0000", 0, false},
      {"ending exactly at a block edge", "R5 P M10/5", "6789A00000", 0, false},
      {"looping wraps inside one block", "R7 L M8", "89A12345", 5, true},
      {"looping wraps across odd blocks", "L M25/7", "123456789A123456789A12345", 5, true},
      {"a buffer not played is silent and stays put", "R3 M5", "00000", 3, false},
      {"stop keeps the position", "P M3 S M5", "12300000", 3, false},
      {"play after stop resumes", "P M3 S P M4", "1234567", 7, true},
      {"play on a playing buffer keeps its place", "P M3 P M1", "1234", 4, true},
      {"play once on a looping buffer ends at its end", "L M15 P M10", "123456789A123456789A00000",
       0, false},
      {"moved while playing", "P M6 R0 M4", "1234561234", 4, true},
      {"a finished buffer plays again from its start", "P M10 P M9", "123456789A123456789", 9, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Rig r;
    std::string heard;
    std::istringstream ops(c.ops);
    for (std::string op; ops >> op;) {
      const int n = op.size() > 1 ? std::stoi(op.substr(1)) : 0;
      const std::size_t slash = op.find('/');
      if (op[0] == 'P') r.buffer->Play(0);
      if (op[0] == 'L') r.buffer->Play(DSBPLAY_LOOPING);
      if (op[0] == 'S') r.buffer->Stop();
      if (op[0] == 'R') r.buffer->SetCurrentPosition(4 * n);
      if (op[0] == 'M') heard += r.heard(n, slash == std::string::npos ? n : std::stoi(op.substr(slash + 1)));
    }
    EXPECT_EQ(heard, c.heard);
    EXPECT_EQ(r.buffer->framePosition(), c.position);
    EXPECT_EQ(r.buffer->isPlaying(), c.playing);
  }
  Rig r;  // a block longer than the mixer's own chunks of work
  r.buffer->Play(DSBPLAY_LOOPING);
  const std::string ids = r.heard(1001, 1001);
  for (int i = 0; i < 1001; ++i) ASSERT_EQ(ids[i], "123456789A"[i % 10]) << "frame " << i;
}

TEST(Voices, PositionsAreBytesOfTheFilesOwnData) {
  // 22050 Hz in the file: byte 4000 is its frame 1000, the device's 2000.
  Device device;
  DeviceSound s = sound(std::vector<int16_t>(44100));
  s.sourceFrequency = 22050;
  s.sourceBytes = 22050 * 4;
  auto buffer = makeVoiceBuffer(std::make_shared<Voices>(device), s);
  buffer->SetCurrentPosition(4002);
  EXPECT_EQ(buffer->framePosition(), 2000);
  EXPECT_THROW(buffer->SetCurrentPosition(-1), PlatformError);
  EXPECT_THROW(buffer->SetCurrentPosition(22050 * 4), PlatformError);
  // Three frames at 88200 Hz are one at the device's rate: it stays inside.
  s = sound({1});
  s.sourceFrequency = 88200;
  s.sourceBytes = 3 * 4;
  buffer = makeVoiceBuffer(std::make_shared<Voices>(device), s);
  buffer->SetCurrentPosition(8);
  EXPECT_EQ(buffer->framePosition(), 0);
}

// Sounds at once: a sum up to the knee is heard as it is; beyond it the sum
// bends towards full scale, keeping its sign and order, and never gets
// there, so no sample is clipped and none wraps. Only the total is bent.
TEST(Voices, SumsBendBelowFullScaleInsteadOfClipping) {
  const auto mixed = [](std::vector<int16_t> levels) {
    Device device;
    const auto voices = std::make_shared<Voices>(device);
    std::vector<std::shared_ptr<SoundBuffer>> buffers;
    for (int16_t level : levels) {
      buffers.push_back(makeVoiceBuffer(voices, sound({level})));
      buffers.back()->Play(0);
    }
    int16_t out[2] = {0, 0};
    voices->mix(out, 1, 2);
    return out[0];
  };
  const std::pair<int16_t, int16_t> asIs[] = {
      {20000, 4576}, {-20000, -4576}, {30000, -30000}, {-32768, 32767}, {12000, 0}};
  for (const auto& [a, b] : asIs) EXPECT_EQ(mixed({a, b}), a + b) << a << " + " << b;
  int previous = -32768;
  for (int sum = -65536; sum <= 65534; sum += 61) {
    const int out = mixed({static_cast<int16_t>(sum / 2), static_cast<int16_t>(sum - sum / 2)});
    ASSERT_GE(out, previous) << "the sum " << sum << " came out lower than a smaller one";
    ASSERT_LT(std::abs(out), 32767) << "the sum " << sum << " reached full scale";
    ASSERT_TRUE(std::abs(sum) <= kLimiterKnee || std::abs(out) > kLimiterKnee) << sum;
    ASSERT_TRUE(sum == 0 || (out > 0) == (sum > 0)) << sum;
    previous = out;
  }
  EXPECT_EQ(mixed({30000, 30000, -30000}), limitSample(30000));
}

// Where the device plays each voice by itself (the page's audio nodes), its
// clock moves the voices on, and it is told of every change.
TEST(Voices, TheDevicesClockMovesThemAndItIsToldOfEachChange) {
  Rig r;
  const auto at = [&](int64_t frame) {
    r.device.clock = frame;
    return std::make_pair(r.buffer->framePosition(), r.buffer->isPlaying());
  };
  at(1000);
  r.buffer->SetCurrentPosition(4 * 2);
  r.buffer->Play(0);
  EXPECT_EQ(at(1007), std::make_pair(int64_t{9}, true));
  r.buffer->Play(DSBPLAY_LOOPING);  // playing: only its looping changes
  r.buffer->Play(DSBPLAY_LOOPING);
  EXPECT_EQ(at(1010), std::make_pair(int64_t{2}, true));
  r.buffer->SetCurrentPosition(4 * 6);
  r.buffer->Play(0);
  EXPECT_EQ(r.device.taken(), "open start2 resume loop stop start6looping once ");
  // Played once, it ends with its sound, as the device's node does.
  EXPECT_EQ(at(1013), std::make_pair(int64_t{9}, true));
  EXPECT_EQ(at(1014), std::make_pair(int64_t{0}, false));
  r.buffer->Stop();
  r.buffer->Play(DSBPLAY_LOOPING);
  at(1030);
  r.buffer->Stop();
  EXPECT_EQ(r.buffer->framePosition(), 6);
  r.buffer->SetCurrentPosition(4 * 3);
  r.buffer->Play(0);
  r.buffer.reset();  // released while playing
  EXPECT_EQ(r.device.taken(), "start0looping stop start3 stop release ");
}

// The device's rest: paused once two buffers have gone out silent after the
// last sound, closed five seconds later if no game runs meanwhile, opened
// again by a game's Start or by a sound.
TEST(Voices, TheDeviceRestsBetweenSounds) {
  Rig r;
  const Voices::Clock::time_point t0{1h};
  const auto frames = [](int n) {
    return std::chrono::duration_cast<Voices::Clock::duration>(std::chrono::duration<double>(n / 44100.0));
  };
  using S = Voices::State;
  const struct {
    const char* what;
    std::function<void()> before;  // then: mixed, the device is tended
    int mixed;
    bool gameRuns;
    Voices::Clock::time_point now;
    std::optional<Voices::Clock::time_point> due;
    S state;
    std::string calls;
  } steps[] = {
      {"a new device is closed", [] {}, 0, false, t0, {}, S::closed, ""},
      {"a game's Start opens it; it rests", [&] { r.voices->wake(); }, 0, true, t0, {}, S::paused, "open "},
      {"a sound resumes it; care is due once the sound and two silent buffers have gone out, and one "
       "more", [&] { r.buffer->Play(0); }, 0, true, t0, t0 + frames(10 + 8 + 4), S::running, "start0 resume "},
      {"the buffer the sound ended in is not silent", [] {}, 12, true, t0, t0 + frames(12), S::running, ""},
      {"one silent buffer is not enough", [] {}, 4, true, t0, t0 + frames(8), S::running, ""},
      {"two: it pauses", [] {}, 4, true, t0 + 1s, {}, S::paused, "pause "},
      {"a game runs: it stays paused", [] {}, 0, true, t0 + 9s, {}, S::paused, ""},
      {"the rest counts from the game's end", [] {}, 0, false, t0 + 13s, t0 + 14s, S::paused, ""},
      {"five seconds after the game, it closes", [] {}, 0, false, t0 + 14s, {}, S::closed, "close "},
      {"a sound opens it; the music never lets it pause", [&] { r.buffer->Play(DSBPLAY_LOOPING); },
       4000, false, t0 + 20s, {}, S::running, "open start0looping resume "},
  };
  for (const auto& s : steps) {
    SCOPED_TRACE(s.what);
    s.before();
    if (s.mixed > 0) r.heard(s.mixed, s.mixed);
    EXPECT_EQ(r.voices->tend(s.gameRuns, s.now), s.due);
    EXPECT_EQ(r.voices->state(), s.state);
    EXPECT_EQ(r.device.taken(), s.calls);
  }
}

}  // namespace
}  // namespace kinopa
