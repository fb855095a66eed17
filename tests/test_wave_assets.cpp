// The wave files the game ships: format, length, level, clean ends, and a
// loop without a seam (tests/test_image_assets.cpp draws them again).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/wave_file.h"

namespace {

using kinopa::PcmSound;
using kinopa::readPcmWave;

struct Wave {
  int channels = 0;
  int rate = 0;
  int bits = 0;
  std::vector<int16_t> samples;  // interleaved
  size_t frames() const { return channels ? samples.size() / channels : 0; }
  double seconds() const { return rate ? static_cast<double>(frames()) / rate : 0.0; }
  int16_t at(size_t frame, int channel) const { return samples[frame * channels + channel]; }
};

// A shipped file as the game reads it.
Wave readWave(const std::string& name) {
  Wave w;
  try {
    const PcmSound s = readPcmWave(std::string(KINOPA_WAVE_DIR) + "/" + name, "test", "read");
    w.channels = s.channels;
    w.rate = s.rate;
    w.bits = s.channels ? s.blockAlign * 8 / s.channels : 0;
    for (float v : s.samples) w.samples.push_back(static_cast<int16_t>(std::lround(v * 32768.0f)));
  } catch (const std::exception& e) {
    ADD_FAILURE() << name << ": " << e.what();
  }
  return w;
}

// Full scale times 10^(dB / 20).
double level(double dB) { return 32767.0 * std::pow(10.0, dB / 20.0); }

int peakOf(const Wave& w, size_t from, size_t to) {
  int peak = 0;
  for (size_t f = from; f < to; ++f) {
    for (int c = 0; c < w.channels; ++c) peak = std::max(peak, std::abs(int(w.at(f, c))));
  }
  return peak;
}

struct Expected {
  const char* file;
  double minSeconds;
  double maxSeconds;
  bool effect;
};

const Expected kFiles[] = {
    {"zarupok.wav", 0.1, 0.6, true},    {"zarupfall.wav", 0.1, 0.6, true},
    {"melkitok.wav", 0.1, 0.6, true},   {"melkitmiss.wav", 0.1, 0.6, true},
    {"music.wav", 8.0, 20.0, false},
};

TEST(WaveAssets, FormatLengthAndLevel) {
  for (const Expected& e : kFiles) {
    SCOPED_TRACE(e.file);
    const Wave w = readWave(e.file);
    EXPECT_EQ(w.channels, 2);
    EXPECT_EQ(w.rate, 22050);
    EXPECT_EQ(w.bits, 16);
    if (w.frames() == 0) {
      ADD_FAILURE() << "no samples";
      continue;
    }
    EXPECT_GE(w.seconds(), e.minSeconds);
    EXPECT_LE(w.seconds(), e.maxSeconds);
    const int peak = peakOf(w, 0, w.frames());
    EXPECT_LE(peak, level(-3.0));
    EXPECT_GE(peak, level(-20.0)) << "hardly audible";
  }
}

TEST(WaveAssets, EffectsStartAndEndInSilence) {
  for (const Expected& e : kFiles) {
    if (!e.effect) continue;
    SCOPED_TRACE(e.file);
    const Wave w = readWave(e.file);
    const size_t n = w.frames();
    ASSERT_GT(n, 1000u);
    EXPECT_LE(peakOf(w, 0, 1), 32) << "first sample";
    EXPECT_LE(peakOf(w, n - 1, n), 32) << "last sample";
    EXPECT_LE(peakOf(w, 0, 11), level(-24.0)) << "first half millisecond";
    EXPECT_LE(peakOf(w, n - 66, n), level(-24.0)) << "last three milliseconds";
  }
}

TEST(WaveAssets, MusicLoopsWithoutASeam) {
  const Wave w = readWave("music.wav");
  const size_t n = w.frames();
  ASSERT_GT(n, 22050u);
  for (int c = 0; c < 2; ++c) {
    SCOPED_TRACE(c == 0 ? "left" : "right");
    std::vector<int> steps;
    for (size_t f = 1; f < n; ++f) steps.push_back(std::abs(w.at(f, c) - w.at(f - 1, c)));
    std::nth_element(steps.begin(), steps.begin() + steps.size() * 99 / 100, steps.end());
    const int typical = steps[steps.size() * 99 / 100];
    EXPECT_LE(std::abs(w.at(0, c) - w.at(n - 1, c)), typical);
    // The loop carries on through its end: not a fade into silence.
    EXPECT_GT(peakOf(w, n - 2205, n), level(-40.0));
  }
}

}  // namespace
