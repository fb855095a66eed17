// The sound device on SDL: opening it (SDL's dummy driver when there is no
// other), the wave files SDL reads, and what is played reaching the device
// (its "disk" driver), whatever rest it took between sounds. What the voices
// do is tested plainly (tests/rules/test_voices.cpp).
#include <gtest/gtest.h>

#include <SDL.h>

#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "core/errors.h"
#include "play/headless_front.h"
#include "play/play_session.h"
#include "play/script_player.h"
#include "sdl/sdl_sound.h"
#include "sdl/sound_mixer.h"
#include "sound_support.h"

namespace kinopa {
namespace {

struct WaveLayout {
  int formatTag;  // 1 PCM, 3 float
  int channels;
  int rate;
  int bits;
  int frames;
};

void putLE(std::string& out, uint64_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xff));
}

// A wave file holding a quiet ramp in the given format.
std::string waveBytes(const WaveLayout& w) {
  std::string body;
  for (int f = 0; f < w.frames; ++f) {
    for (int c = 0; c < w.channels; ++c) {
      const double v = 0.25 * (f % 50) / 50.0;
      if (w.formatTag == 3) {
        const float x = static_cast<float>(v);
        uint32_t bits;
        std::memcpy(&bits, &x, 4);
        putLE(body, bits, 4);
      } else if (w.bits == 8) {
        putLE(body, static_cast<uint8_t>(128 + v * 127), 1);
      } else {
        putLE(body, static_cast<uint16_t>(static_cast<int16_t>(v * 32767)), 2);
      }
    }
  }
  const int block = w.channels * w.bits / 8;
  std::string data = "RIFF";
  putLE(data, 36 + body.size(), 4);
  data += "WAVEfmt ";
  putLE(data, 16, 4);
  putLE(data, w.formatTag, 2);
  putLE(data, w.channels, 2);
  putLE(data, w.rate, 4);
  putLE(data, static_cast<uint64_t>(w.rate) * block, 4);
  putLE(data, block, 2);
  putLE(data, w.bits, 2);
  data += "data";
  putLE(data, body.size(), 4);
  return data + body;
}

std::string writeFile(const QTemporaryDir& dir, const std::string& name, const std::string& bytes) {
  const std::string path = dir.filePath(QString::fromStdString(name)).toStdString();
  std::ofstream(path, std::ios::binary) << bytes;
  return path;
}

std::shared_ptr<SoundBuffer> load(DirectSound& ds, const std::string& path) {
  return ds.CreateSoundBufferFromFile(path);
}

// Waits for `done`, polling, for at most a few seconds.
bool eventually(const std::function<bool()>& done) {
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (std::chrono::steady_clock::now() < until) {
    if (done()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return done();
}

// The game plays on, silently, and its start-up says so once, in a box.
TEST(SoundDevice, WithoutAUsableDriverItPlaysSilently) {
  SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, "no-such-driver", SDL_HINT_OVERRIDE);
  testing::internal::CaptureStderr();
  std::string driver;
  bool heard = true;
  testing_support::RecordingMessages boxes;
  {
    ScriptTick tick;
    ScriptRandom random;
    NoEvents events;
    HeadlessFront front;
    PlaySession session(Services{tick, random, events, Mode::play}, front);
    session.createSoundDevice();
    SdlSound ds;
    heard = ds.heard();
    driver = SDL_GetCurrentAudioDriver() ? SDL_GetCurrentAudioDriver() : "";
  }
  const std::string said = testing::internal::GetCapturedStderr();
  SDL_ResetHint(SDL_HINT_AUDIODRIVER);
  if (said.empty()) GTEST_SKIP() << "a device was already open";
  EXPECT_EQ(driver, "dummy");
  EXPECT_FALSE(heard);
  EXPECT_EQ(boxes.titles, std::vector<std::string>{"Kinopa"});
  EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
  EXPECT_NE(said.find("no-such-driver"), std::string::npos) << said;
}

TEST(SoundDevice, LoadsTheFormatsSdlReads) {
  const WaveLayout layouts[] = {
      {1, 1, 11025, 8, 1103},  {1, 2, 22050, 8, 2205},  {1, 2, 22050, 16, 2205},
      {1, 1, 44100, 16, 4410}, {1, 2, 48000, 16, 4800}, {3, 1, 22050, 32, 2205},
  };
  QTemporaryDir dir;
  SdlSound ds;
  for (const WaveLayout& w : layouts) {
    const std::string name = "f" + std::to_string(w.formatTag) + "_" + std::to_string(w.channels) +
                             "ch_" + std::to_string(w.rate) + "_" + std::to_string(w.bits) + ".wav";
    SCOPED_TRACE(name);
    auto buffer = load(ds, writeFile(dir, name, waveBytes(w)));
    // The whole sound, however SDL's resampler treats the end of its input.
    EXPECT_EQ(buffer->frameCount(), int64_t{w.frames} * 44100 / w.rate);
    EXPECT_FALSE(buffer->isPlaying());
    EXPECT_EQ(buffer->framePosition(), 0);
  }
}

TEST(SoundDevice, UnusableFilesFailWithTheirPath) {
  QTemporaryDir dir;
  const std::string good = waveBytes({1, 2, 22050, 16, 100});
  struct Case {
    const char* name;
    std::string bytes;  // empty: no file at all
  };
  // A copy of `good` with a 32-bit field changed.
  auto patched = [&](size_t at, uint32_t value) {
    std::string b = good;
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<char>(value >> (8 * i));
    return b;
  };
  const Case cases[] = {
      {"missing.wav", ""},
      // Damaged sizes and rates must be refused before SDL acts on them:
      // they had it allocate gigabytes, or fail inside its resampler.
      {"hugeformat.wav", patched(16, 0xfffffff0u)},
      {"rate1.wav", patched(24, 1)},
      {"rate4806178.wav", patched(24, 4806178)},
      {"text.wav", "[wave]\nthis is not a wave file\n"},
      {"truncated.wav", good.substr(0, 20)},
      {"nodata.wav", waveBytes({1, 2, 22050, 16, 0})},
      {"badformat.wav", [] {
         std::string b = waveBytes({1, 2, 22050, 16, 100});
         b[20] = 0x77, b[21] = 0x77;  // a format tag nobody knows
         return b;
       }()},
  };
  SdlSound ds;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = c.bytes.empty()
                                 ? dir.filePath(c.name).toStdString()
                                 : writeFile(dir, c.name, c.bytes);
    try {
      load(ds, path);
      ADD_FAILURE() << "no error";
    } catch (const PlatformError& e) {
      EXPECT_EQ(e.object(), "DirectSound");
      EXPECT_EQ(e.operation(), "CreateSoundBufferFromFile");
      EXPECT_NE(std::string(e.what()).find(path), std::string::npos) << e.what();
    }
  }
}

TEST(SoundDevice, SoundDataCutShortLoadsAsFarAsItGoes) {
  // An interrupted recording: the data chunk claims more than the file holds.
  std::string cut = waveBytes({1, 2, 22050, 16, 100});
  for (int i = 0; i < 4; ++i) cut[40 + i] = static_cast<char>(0xff);
  QTemporaryDir dir;
  SdlSound ds;
  EXPECT_EQ(load(ds, writeFile(dir, "cut.wav", cut))->frameCount(), 200);
}

// Every device object plays through SDL's one device; buffers may go while
// the audio callback plays them, and outlive the objects they came from.
TEST(SoundDevice, DeviceObjectsShareTheOneDeviceThatBuffersOutlive) {
  QTemporaryDir dir;
  const std::string path = writeFile(dir, "b.wav", waveBytes({1, 2, 22050, 16, 2205}));
  auto first = std::make_unique<SdlSound>(), second = std::make_unique<SdlSound>();
  for (int i = 0; i < 20; ++i) {
    auto buffer = load(i % 2 ? *first : *second, path);
    buffer->Play(DSBPLAY_LOOPING);
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  auto kept = load(*first, path), other = load(*second, path);
  first.reset();
  second.reset();
  kept->Play(0);
  other->Play(0);
  ASSERT_TRUE(eventually([&] { return !kept->isPlaying() && !other->isPlaying(); }));
}

// A wave file in the device's own format (44100 Hz, stereo, 16 bits), so
// nothing is resampled: frame f holds `left(f)` and its negation.
std::string deviceWave(int frames, const std::function<int16_t(int)>& left) {
  std::string bytes = waveBytes({1, 2, 44100, 16, frames});
  for (int f = 0; f < frames; ++f) {
    const auto l = static_cast<uint16_t>(left(f));
    const auto r = static_cast<uint16_t>(-left(f));
    const size_t at = 44 + static_cast<size_t>(f) * 4;
    bytes[at] = static_cast<char>(l & 0xff), bytes[at + 1] = static_cast<char>(l >> 8);
    bytes[at + 2] = static_cast<char>(r & 0xff), bytes[at + 3] = static_cast<char>(r >> 8);
  }
  return bytes;
}

// Runs `play` on a device opened on SDL's "disk" driver, which writes what it
// is given to a file (a new one at each opening: `play` calls the function it
// is handed before the device opens again), and returns the left channel of
// those files, one after the other. Sets `skipped` when another driver was
// already running.
std::vector<int16_t> leftChannelOnDisk(
    const QTemporaryDir& dir, const std::function<void(DirectSound&, std::function<void()>)>& play,
    bool& skipped) {
  int openings = 0;
  const auto file = [&](int n) { return dir.filePath(QString("out%1.raw").arg(n)).toStdString(); };
  const auto nextOpening = [&] { setenv("SDL_DISKAUDIOFILE", file(++openings).c_str(), 1); };
  SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, "disk", SDL_HINT_OVERRIDE);
  nextOpening();
  {
    SdlSound ds;
    const std::string driver = SDL_GetCurrentAudioDriver() ? SDL_GetCurrentAudioDriver() : "";
    SDL_ResetHint(SDL_HINT_AUDIODRIVER);
    skipped = driver != "disk";
    if (!skipped) play(ds, nextOpening);
  }
  unsetenv("SDL_DISKAUDIOFILE");
  std::vector<int16_t> left;
  for (int n = 1; n <= openings && !skipped; ++n) {
    std::ifstream in(file(n), std::ios::binary);
    std::vector<char> raw((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<int16_t> samples(raw.size() / 2);
    std::memcpy(samples.data(), raw.data(), samples.size() * 2);
    for (size_t i = 0; i + 1 < samples.size(); i += 2) {
      EXPECT_EQ(samples[i + 1], -samples[i]) << "frame " << i / 2;
      left.push_back(samples[i]);
    }
  }
  return left;
}

void playToTheEnd(DirectSound& ds, const std::string& path) {
  auto buffer = load(ds, path);
  buffer->Play(0);
  ASSERT_TRUE(eventually([&] { return !buffer->isPlaying(); }));
}

// What is played reaches the device sample for sample, whole from its first
// sample to its last, and nothing else does, whatever the device did after
// the sound before: went on running, paused once its buffers had gone out
// silent, or closed after resting with no game.
class SoundAfterARest : public testing::TestWithParam<Voices::State> {};

TEST_P(SoundAfterARest, IsHeardWhole) {
  QTemporaryDir dir;
  constexpr int kFrames = 3000;  // more than five device buffers
  const std::string path = writeFile(dir, "ramp.wav", deviceWave(kFrames, [](int f) {
                                       return static_cast<int16_t>(f + 1);
                                     }));
  const Voices::State rest = GetParam();
  bool skipped = false;
  const std::vector<int16_t> left = leftChannelOnDisk(
      dir,
      [&](DirectSound& ds, const std::function<void()>& nextOpening) {
        Voices& voices = SoundMixer::shared()->voices();
        playToTheEnd(ds, path);
        if (rest != Voices::State::running) {
          ASSERT_TRUE(eventually([&] {
            (void)ds.tend(false);
            return voices.state() == Voices::State::paused;
          }));
          std::this_thread::sleep_for(std::chrono::milliseconds(50));  // a silent spell
        }
        if (rest == Voices::State::closed) {
          // Long enough with no game: the device closes, and opens again
          // for the next sound.
          (void)voices.tend(false, Voices::Clock::now() + Voices::kRestBeforeClosing);
          ASSERT_EQ(voices.state(), Voices::State::closed);
          nextOpening();
        }
        ASSERT_EQ(voices.state(), rest);
        playToTheEnd(ds, path);
      },
      skipped);
  if (skipped) GTEST_SKIP() << "the audio driver was already running";
  // Each sounding stretch is the ramp from 1 to its end, and there are two.
  int whole = 0;
  for (size_t i = 0; i < left.size(); ++i) {
    if (left[i] == 0) continue;
    ASSERT_EQ(left[i], 1) << "a sound cut at its start, at frame " << i;
    ASSERT_LE(i + kFrames, left.size()) << "a sound cut at its end";
    for (int f = 0; f < kFrames; ++f) ASSERT_EQ(left[i + f], f + 1) << "frame " << i + f;
    ++whole;
    i += kFrames - 1;
  }
  EXPECT_EQ(whole, 2);
}
INSTANTIATE_TEST_SUITE_P(Table, SoundAfterARest,
                         testing::Values(Voices::State::running, Voices::State::paused,
                                         Voices::State::closed));

}  // namespace
}  // namespace kinopa
