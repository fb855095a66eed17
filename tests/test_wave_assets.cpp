// The wave files the game ships: format, length, level, clean ends, and a
// loop without a seam (tests/test_image_assets.cpp draws them again).
#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

struct Wave {
  int formatTag = 0;
  int channels = 0;
  int rate = 0;
  int bits = 0;
  std::vector<int16_t> samples;  // interleaved, 16-bit files only
  size_t frames() const { return channels ? samples.size() / channels : 0; }
  double seconds() const { return rate ? static_cast<double>(frames()) / rate : 0.0; }
  int16_t at(size_t frame, int channel) const { return samples[frame * channels + channel]; }
};

uint32_t le(const QByteArray& b, qsizetype at, int bytes) {
  uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | static_cast<uint8_t>(b[at + i]);
  return v;
}

// Reads the "fmt " and "data" chunks of a RIFF/WAVE file.
Wave readWave(const std::string& name) {
  QFile file(QString::fromStdString(std::string(KINOPA_WAVE_DIR) + "/" + name));
  Wave w;
  if (!file.open(QIODevice::ReadOnly)) {
    ADD_FAILURE() << "cannot open " << name;
    return w;
  }
  const QByteArray b = file.readAll();
  if (b.size() < 12 || b.left(4) != "RIFF" || b.mid(8, 4) != "WAVE") {
    ADD_FAILURE() << name << " is not a RIFF/WAVE file";
    return w;
  }
  EXPECT_EQ(le(b, 4, 4), static_cast<uint32_t>(b.size() - 8)) << "RIFF size of " << name;
  for (qsizetype at = 12; at + 8 <= b.size();) {
    const QByteArray id = b.mid(at, 4);
    const qsizetype size = le(b, at + 4, 4);
    const qsizetype body = at + 8;
    if (body + size > b.size()) {
      ADD_FAILURE() << "chunk " << id.constData() << " of " << name << " runs past the end";
      break;
    }
    if (id == "fmt ") {
      w.formatTag = static_cast<int>(le(b, body, 2));
      w.channels = static_cast<int>(le(b, body + 2, 2));
      w.rate = static_cast<int>(le(b, body + 4, 4));
      EXPECT_EQ(le(b, body + 8, 4), le(b, body + 4, 4) * le(b, body + 12, 2)) << "byte rate";
      EXPECT_EQ(le(b, body + 12, 2), le(b, body + 2, 2) * le(b, body + 14, 2) / 8) << "block";
      w.bits = static_cast<int>(le(b, body + 14, 2));
    } else if (id == "data" && w.bits == 16) {
      w.samples.resize(static_cast<size_t>(size / 2));
      std::memcpy(w.samples.data(), b.constData() + body, w.samples.size() * 2);
    }
    at = body + size + (size & 1);
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

double rmsOf(const Wave& w) {
  double sum = 0;
  for (int16_t s : w.samples) sum += double(s) * s;
  return std::sqrt(sum / std::max<size_t>(w.samples.size(), 1));
}

// Sign changes a second on the left channel: a rough measure of brightness.
double crossingsPerSecond(const Wave& w) {
  int n = 0;
  for (size_t f = 1; f < w.frames(); ++f) n += (w.at(f - 1, 0) < 0) != (w.at(f, 0) < 0);
  return n / w.seconds();
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
    EXPECT_EQ(w.formatTag, 1);
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

TEST(WaveAssets, FourEffectsOfDistinctCharacter) {
  std::map<std::string, Wave> w;
  for (const char* f : {"zarupok.wav", "zarupfall.wav", "melkitok.wav", "melkitmiss.wav"}) {
    w[f] = readWave(f);
    ASSERT_GT(w[f].frames(), 0u) << f;
  }
  // Pairwise, each differs from the others in length or in brightness.
  for (auto a = w.begin(); a != w.end(); ++a) {
    for (auto b = std::next(a); b != w.end(); ++b) {
      const double lengths = a->second.seconds() / b->second.seconds();
      const double bright = crossingsPerSecond(a->second) / crossingsPerSecond(b->second);
      const bool differ = std::abs(std::log(lengths)) > std::log(1.1) ||
                          std::abs(std::log(bright)) > std::log(1.25);
      EXPECT_TRUE(differ) << a->first << " and " << b->first << " sound alike";
    }
  }
  // A bright catch against a dull fall; a cheerful hit against a small miss.
  EXPECT_GT(crossingsPerSecond(w["zarupok.wav"]), 3 * crossingsPerSecond(w["zarupfall.wav"]));
  EXPECT_GT(crossingsPerSecond(w["melkitok.wav"]), 2 * crossingsPerSecond(w["melkitmiss.wav"]));
  EXPECT_LT(rmsOf(w["melkitmiss.wav"]), rmsOf(w["melkitok.wav"]));
  EXPECT_LT(w["melkitmiss.wav"].seconds(), w["melkitok.wav"].seconds());
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
