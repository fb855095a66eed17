// Mixing sound buffers: how voices advance, wrap and stop, what the buffer
// operations do to them, and sums that bend below full scale. No device needed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "sdl/sound_mixer.h"

namespace kinopa {
namespace {

// A ten-frame stereo voice whose frame i sounds (i + 1) * 100 on the left and
// the negative on the right, so the output tells which frame was heard.
struct TenFrames {
  std::vector<int16_t> samples;
  Voice voice;
  TenFrames() {
    for (int i = 0; i < 10; ++i) {
      samples.push_back(static_cast<int16_t>((i + 1) * 100));
      samples.push_back(static_cast<int16_t>(-(i + 1) * 100));
    }
    voice.samples = samples.data();
    voice.frames = 10;
  }
};

// Mixes `frames` frames in blocks of `block` and returns, per output frame,
// which voice frame was heard (1-based, 0 for silence).
std::vector<int> heard(Voice& voice, int frames, int block) {
  std::vector<int> ids;
  Voice* voices[] = {&voice};
  std::vector<int16_t> out;
  for (int done = 0; done < frames; done += block) {
    const int n = std::min(block, frames - done);
    out.assign(static_cast<size_t>(n) * 2, 12345);
    mixVoices(voices, out.data(), n, 2);
    for (int i = 0; i < n; ++i) {
      EXPECT_EQ(out[2 * i], -out[2 * i + 1]) << "channels out of step";
      ids.push_back(out[2 * i] / 100);
    }
  }
  return ids;
}

struct MixCase {
  const char* name;
  int64_t start;
  bool playing;
  bool looping;
  int frames;
  int block;
  std::vector<int> expected;
  int64_t endPosition;
  bool endPlaying;
};

TEST(SoundMix, VoicesAdvanceWrapAndStop) {
  const std::vector<MixCase> cases = {
      {"once runs to its end, stops and rewinds", 0, true, false, 16, 4,
       {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 0, 0, 0, 0, 0, 0}, 0, false},
      {"once from the middle plays the rest", 6, true, false, 8, 8,
       {7, 8, 9, 10, 0, 0, 0, 0}, 0, false},
      {"looping wraps inside one block", 7, true, true, 8, 8, {8, 9, 10, 1, 2, 3, 4, 5}, 5, true},
      {"looping wraps across odd blocks", 0, true, true, 25, 7,
       {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 1, 2, 3, 4, 5}, 5, true},
      {"a stopped voice is silent and stays put", 3, false, true, 5, 5, {0, 0, 0, 0, 0}, 3, false},
      {"ending exactly at a block edge", 5, true, false, 10, 5, {6, 7, 8, 9, 10, 0, 0, 0, 0, 0}, 0,
       false},
  };
  for (const MixCase& c : cases) {
    SCOPED_TRACE(c.name);
    TenFrames t;
    t.voice.position = c.start;
    t.voice.playing = c.playing;
    t.voice.looping = c.looping;
    EXPECT_EQ(heard(t.voice, c.frames, c.block), c.expected);
    EXPECT_EQ(t.voice.position, c.endPosition);
    EXPECT_EQ(t.voice.playing, c.endPlaying);
  }
}

TEST(SoundMix, BlockLongerThanTheMixersOwnChunks) {
  TenFrames t;
  voicePlay(t.voice, true);
  const std::vector<int> ids = heard(t.voice, 1001, 1001);
  for (int i = 0; i < 1001; ++i) ASSERT_EQ(ids[i], i % 10 + 1) << "frame " << i;
  EXPECT_EQ(t.voice.position, 1);
}

// Two sounds at once: a sum up to the knee is heard as it is; beyond it the
// sum bends towards full scale, keeping its sign and order, and never gets
// there, so no sample is clipped and none wraps.
TEST(SoundMix, SumsBendBelowFullScaleInsteadOfClipping) {
  const auto mixTwo = [](int16_t a, int16_t b) {
    std::vector<int16_t> sa(2, a), sb(2, b);
    Voice va{sa.data(), 1, 0, true, false};
    Voice vb{sb.data(), 1, 0, true, false};
    Voice* voices[] = {&va, &vb};
    int16_t out[2] = {0, 0};
    mixVoices(voices, out, 1, 2);
    return out[0];
  };
  const std::pair<int16_t, int16_t> asIs[] = {
      {20000, 4576}, {-20000, -4576}, {30000, -30000}, {-32768, 32767}, {12000, 0}};
  for (const auto& [a, b] : asIs) EXPECT_EQ(mixTwo(a, b), a + b) << a << " + " << b;
  int previous = -32768;
  for (int sum = -65536; sum <= 65534; sum += 61) {
    const auto a = static_cast<int16_t>(sum / 2), b = static_cast<int16_t>(sum - sum / 2);
    const int out = mixTwo(a, b);
    ASSERT_GE(out, previous) << "the sum " << sum << " came out lower than a smaller one";
    ASSERT_LT(std::abs(out), 32767) << "the sum " << sum << " reached full scale";
    if (std::abs(sum) > kLimiterKnee) ASSERT_GT(std::abs(out), kLimiterKnee) << sum;
    if (sum != 0) ASSERT_EQ(out > 0, sum > 0) << sum;
    previous = out;
  }
  // Three voices: only the total is bent, not each partial sum.
  std::vector<int16_t> up(2, 30000), down(2, -30000);
  Voice v1{up.data(), 1, 0, true, false}, v2{up.data(), 1, 0, true, false};
  Voice v3{down.data(), 1, 0, true, false};
  Voice* three[] = {&v1, &v2, &v3};
  int16_t out[2] = {0, 0};
  mixVoices(three, out, 1, 2);
  EXPECT_EQ(out[0], limitSample(30000));
}

// Buffer operations between mixes: P play once, L play looping, S stop,
// R rewind to the given frame, M mix the given number of frames.
struct OpsCase {
  const char* name;
  std::vector<std::pair<char, int>> ops;
  int64_t position;
  bool playing;
};

TEST(SoundMix, PlayStopAndRewindStates) {
  const std::vector<OpsCase> cases = {
      {"stop keeps the position", {{'P', 0}, {'M', 3}, {'S', 0}, {'M', 5}}, 3, false},
      {"play after stop resumes", {{'P', 0}, {'M', 3}, {'S', 0}, {'P', 0}, {'M', 4}}, 7, true},
      {"play on a playing buffer keeps its place", {{'P', 0}, {'M', 3}, {'P', 0}}, 3, true},
      {"play once on a looping buffer ends at its end",
       {{'L', 0}, {'M', 15}, {'P', 0}, {'M', 10}}, 0, false},
      {"rewind while playing", {{'P', 0}, {'M', 6}, {'R', 0}, {'M', 4}}, 4, true},
      {"rewound after stop, the next play is whole",
       {{'P', 0}, {'M', 4}, {'S', 0}, {'R', 0}, {'P', 0}, {'M', 9}}, 9, true},
      {"a finished buffer plays again from its start", {{'P', 0}, {'M', 10}, {'P', 0}, {'M', 9}},
       9, true},
      {"a position beyond the end is held inside", {{'R', 99}}, 9, false},
  };
  for (const OpsCase& c : cases) {
    SCOPED_TRACE(c.name);
    TenFrames t;
    for (auto [op, arg] : c.ops) {
      switch (op) {
        case 'P': voicePlay(t.voice, false); break;
        case 'L': voicePlay(t.voice, true); break;
        case 'S': voiceStop(t.voice); break;
        case 'R': voiceSetPosition(t.voice, arg); break;
        case 'M': heard(t.voice, arg, arg); break;
      }
    }
    EXPECT_EQ(t.voice.position, c.position);
    EXPECT_EQ(t.voice.playing, c.playing);
  }
}

}  // namespace
}  // namespace kinopa
