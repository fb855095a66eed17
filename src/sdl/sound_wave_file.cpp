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
#include "core/wave_file.h"

namespace kinopa {

namespace {

struct WavFree {
  void operator()(Uint8* data) const { SDL_FreeWAV(data); }
};
struct StreamFree {
  void operator()(SDL_AudioStream* stream) const { SDL_FreeAudioStream(stream); }
};

}  // namespace

DeviceSound readWaveFile(const std::string& path, int frequency, int channels,
                         const std::string& object, const std::string& operation) {
  // Every problem after the file was read is one of its data.
  auto fail = [&](const std::string& why, const char* sentence = kUnusableSound) {
    return PlatformError(object, operation, why + " (" + path + ")", {sentence, path});
  };
  std::vector<Uint8> bytes = readWaveBytes(path, object, operation);
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
  if (source.freq < kLowestSoundRate || source.freq > kHighestSoundRate)
    throw fail("unusable sample rate " + std::to_string(source.freq) + " Hz");
  // A trailing partial frame is not sound.
  length -= length % static_cast<Uint32>(sound.sourceBlockAlign);
  if (length == 0) throw fail("the file holds no sound data");
  sound.sourceBytes = length;
  if (static_cast<int64_t>(length / sound.sourceBlockAlign) > kLongestSoundSeconds * source.freq)
    throw fail("the sound is longer than 20 minutes", kTooLongSound);

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
