#include "sdl/sound_wave_file.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "core/errors.h"

namespace kinopa {

namespace {

struct WavFree {
  void operator()(Uint8* data) const { SDL_FreeWAV(data); }
};
struct StreamFree {
  void operator()(SDL_AudioStream* stream) const { SDL_FreeAudioStream(stream); }
};

// Longest file read, and longest sound kept: 20 minutes of the device's
// samples are about 210 MB.
constexpr Sint64 kMaxFileBytes = Sint64{1} << 30;
constexpr int64_t kMaxSeconds = 20 * 60;
// The sample rates taken, in Hz.
constexpr int kLowestRate = 1000;
constexpr int kHighestRate = 384000;

// What the player is told; the file's path stands for %1.
const char* const kMissing = QT_TRANSLATE_NOOP("kinopa", "The file %1 does not exist.");
const char* const kNoName = QT_TRANSLATE_NOOP("kinopa", "No sound file is named.");
const char* const kFolder = QT_TRANSLATE_NOOP("kinopa", "%1 is a folder, not a sound file.");
const char* const kUnreadable = QT_TRANSLATE_NOOP("kinopa", "The file %1 cannot be read.");
const char* const kNotWave = QT_TRANSLATE_NOOP("kinopa", "The file %1 is not a wave file.");
const char* const kUnusable =
    QT_TRANSLATE_NOOP("kinopa", "The file %1 holds no sound the game can play.");
const char* const kTooLong = QT_TRANSLATE_NOOP(
    "kinopa", "The file %1 is too long: a sound may last 20 minutes at most.");

// What stands in the way of opening `path` as a file: no name, nothing
// there, or a folder; nullptr when there is something else.
const char* notAFile(const std::string& path) {
  if (path.empty()) return kNoName;
  std::error_code ec;
  const auto type = std::filesystem::status(path, ec).type();
  if (type == std::filesystem::file_type::not_found) return kMissing;
  if (type == std::filesystem::file_type::directory) return kFolder;
  return nullptr;
}

template <class Fail>
std::vector<Uint8> readFileBytes(const std::string& path, Fail& fail) {
  // A folder opens like a file here, and then reads as nonsense.
  if (const char* problem = notAFile(path)) {
    throw fail(problem == kMissing ? "no such file" : problem == kFolder ? "a folder" : "no name",
               problem);
  }
  SDL_RWops* file = SDL_RWFromFile(path.c_str(), "rb");
  if (file == nullptr) {
    const char* problem = notAFile(path);
    throw fail(SDL_GetError(), problem ? problem : kUnreadable);
  }
  const Sint64 size = SDL_RWsize(file);
  if (size < 0 || size > kMaxFileBytes) {
    SDL_RWclose(file);
    if (size < 0) throw fail("cannot read the file", kUnreadable);
    throw fail("the file is too large", kTooLong);
  }
  std::vector<Uint8> bytes(static_cast<size_t>(size));
  const size_t got = size == 0 ? 0 : SDL_RWread(file, bytes.data(), 1, bytes.size());
  SDL_RWclose(file);
  if (got != bytes.size()) throw fail("cannot read the file", kUnreadable);
  return bytes;
}

uint32_t le32(const std::vector<Uint8>& b, size_t at) {
  return b[at] | (uint32_t{b[at + 1]} << 8) | (uint32_t{b[at + 2]} << 16) |
         (uint32_t{b[at + 3]} << 24);
}

// SDL's loader sizes its buffers by what the chunks of the file claim, so a
// damaged length would have it allocate gigabytes. Every chunk before the
// sound data must lie inside the file; sound data cut short (a recording
// that was interrupted) is taken as far as it goes, as SDL takes it.
template <class Fail>
void checkChunks(std::vector<Uint8>& b, Fail& fail) {
  if (b.size() < 12 || std::memcmp(b.data(), "RIFF", 4) != 0 ||
      std::memcmp(b.data() + 8, "WAVE", 4) != 0) {
    throw fail("not a wave file", kNotWave);
  }
  size_t at = 12;
  for (;;) {
    if (b.size() - at < 8) throw fail("the file holds no sound data");
    const size_t room = b.size() - at - 8;
    const uint32_t claimed = le32(b, at + 4);
    if (std::memcmp(b.data() + at, "data", 4) == 0) {
      if (claimed > room) {
        const auto present = static_cast<uint32_t>(room);
        for (int i = 0; i < 4; ++i) b[at + 4 + i] = static_cast<Uint8>(present >> (8 * i));
      }
      return;
    }
    if (claimed > room) throw fail("truncated wave file");
    at += 8 + static_cast<size_t>(claimed) + (claimed & 1);
    if (at > b.size()) throw fail("the file holds no sound data");
  }
}

}  // namespace

DeviceSound readWaveFile(const std::string& path, int frequency, int channels,
                         const std::string& object, const std::string& operation) {
  // Every problem after the file was read is one of its data.
  auto fail = [&](const std::string& why, const char* sentence = kUnusable) {
    return PlatformError(object, operation, why + " (" + path + ")", {sentence, path});
  };
  std::vector<Uint8> bytes = readFileBytes(path, fail);
  checkChunks(bytes, fail);
  SDL_RWops* memory = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
  if (memory == nullptr) throw fail(SDL_GetError());
  SDL_AudioSpec source{};
  Uint8* raw = nullptr;
  Uint32 length = 0;
  if (SDL_LoadWAV_RW(memory, 1, &source, &raw, &length) == nullptr) throw fail(SDL_GetError());
  std::unique_ptr<Uint8, WavFree> data(raw);
  bytes = {};

  DeviceSound sound;
  sound.sourceFrequency = source.freq;
  sound.sourceBlockAlign =
      static_cast<int>(SDL_AUDIO_BITSIZE(source.format) / 8 * source.channels);
  if (sound.sourceBlockAlign <= 0) throw fail("unusable wave format");
  // SDL's resampler runs away with the memory (or fails outright) at
  // rates far outside those sound is recorded at.
  if (source.freq < kLowestRate || source.freq > kHighestRate)
    throw fail("unusable sample rate " + std::to_string(source.freq) + " Hz");
  // A trailing partial frame is not sound.
  length -= length % static_cast<Uint32>(sound.sourceBlockAlign);
  if (length == 0) throw fail("the file holds no sound data");
  sound.sourceBytes = length;
  if (static_cast<int64_t>(length / sound.sourceBlockAlign) > kMaxSeconds * source.freq)
    throw fail("the sound is longer than 20 minutes", kTooLong);

  std::unique_ptr<SDL_AudioStream, StreamFree> stream(SDL_NewAudioStream(
      source.format, source.channels, source.freq, AUDIO_S16SYS, static_cast<Uint8>(channels),
      frequency));
  if (!stream) throw fail(SDL_GetError());
  // SDL's resampler keeps back the last few hundred frames even when flushed,
  // so the sound goes in followed by silence and comes out cut to its length.
  constexpr int kTailFrames = 4096;
  const std::vector<Uint8> silence(static_cast<size_t>(kTailFrames) * sound.sourceBlockAlign,
                                   source.format == AUDIO_U8 ? 0x80 : 0x00);
  if (SDL_AudioStreamPut(stream.get(), data.get(), static_cast<int>(length)) != 0 ||
      SDL_AudioStreamPut(stream.get(), silence.data(), static_cast<int>(silence.size())) != 0 ||
      SDL_AudioStreamFlush(stream.get()) != 0) {
    throw fail(SDL_GetError());
  }
  const int64_t frameBytes = static_cast<int64_t>(sizeof(int16_t)) * channels;
  const int64_t expected =
      static_cast<int64_t>(length / sound.sourceBlockAlign) * frequency / source.freq;
  std::vector<int16_t> converted(static_cast<size_t>(expected + 2 * kTailFrames) * channels);
  int64_t got = 0;
  for (;;) {
    const int64_t room = static_cast<int64_t>(converted.size() * sizeof(int16_t)) - got;
    if (room < 4 * frameBytes) {
      converted.resize(converted.size() * 2);
      continue;
    }
    const int n = SDL_AudioStreamGet(stream.get(), reinterpret_cast<Uint8*>(converted.data()) + got,
                                     static_cast<int>(std::min<int64_t>(room, 1 << 30)));
    if (n < 0) throw fail(SDL_GetError());
    if (n == 0) break;
    got += n;
  }
  sound.frames = std::min(got / frameBytes, expected);
  converted.resize(static_cast<size_t>(sound.frames) * channels);
  sound.samples = std::move(converted);
  if (sound.frames == 0) throw fail("the file holds no sound data");
  return sound;
}

}  // namespace kinopa
