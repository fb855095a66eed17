#include "core/wave_file.h"

#include <cmath>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "core/errors.h"
#include "core/files.h"

namespace kinopa {

namespace {

// The longest file read.
constexpr uintmax_t kMaxFileBytes = uintmax_t{1} << 30;

// What the player is told; the file's path stands for %1.
const char* const kMissing = QT_TRANSLATE_NOOP("kinopa", "The file %1 does not exist.");
const char* const kNoName = QT_TRANSLATE_NOOP("kinopa", "No sound file is named.");
const char* const kFolder = QT_TRANSLATE_NOOP("kinopa", "%1 is a folder, not a sound file.");
const char* const kUnreadable = QT_TRANSLATE_NOOP("kinopa", "The file %1 cannot be read.");
const char* const kNotWave = QT_TRANSLATE_NOOP("kinopa", "The file %1 is not a wave file.");

uint32_t le16(const std::vector<uint8_t>& b, size_t at) { return b[at] | (uint32_t{b[at + 1]} << 8); }
uint32_t le32(const std::vector<uint8_t>& b, size_t at) { return le16(b, at) | (le16(b, at + 2) << 16); }

struct Fail {
  const std::string& path;
  const std::string& object;
  const std::string& operation;
  PlatformError operator()(const std::string& why, const char* sentence = kUnusableSound) const {
    return PlatformError(object, operation, why + " (" + path + ")", {sentence, path});
  }
};

// Where the chunk `id` begins in checked bytes, its length after it.
size_t findChunk(const std::vector<uint8_t>& b, const char* id, const Fail& fail) {
  for (size_t at = 12; b.size() - at >= 8;) {
    const uint32_t length = le32(b, at + 4);
    if (std::memcmp(b.data() + at, id, 4) == 0) return at;
    if (std::memcmp(b.data() + at, "data", 4) == 0) break;  // nothing checked lies beyond it
    at += 8 + static_cast<size_t>(length) + (length & 1);
  }
  throw fail(std::string("the file has no ") + id + " chunk");
}

}  // namespace

const char* const kUnusableSound =
    QT_TRANSLATE_NOOP("kinopa", "The file %1 holds no sound the game can play.");
const char* const kTooLongSound = QT_TRANSLATE_NOOP(
    "kinopa", "The file %1 is too long: a sound may last 20 minutes at most.");

std::vector<uint8_t> readWaveBytes(const std::string& path, const std::string& object,
                                   const std::string& operation) {
  const Fail fail{path, object, operation};
  if (path.empty()) throw fail("no name", kNoName);
  std::error_code error;
  const auto type = std::filesystem::status(path, error).type();
  if (type == std::filesystem::file_type::not_found) throw fail("no such file", kMissing);
  if (type == std::filesystem::file_type::directory) throw fail("a folder", kFolder);
  const uintmax_t size = std::filesystem::file_size(path, error);
  if (!error && size > kMaxFileBytes) throw fail("the file is too large", kTooLongSound);
  std::string text;
  try {
    text = readWholeFile(path);
  } catch (const Error& e) {
    throw fail(e.description(), kUnreadable);
  }
  std::vector<uint8_t> b(text.begin(), text.end());
  text = {};
  if (b.size() < 12 || std::memcmp(b.data(), "RIFF", 4) != 0 ||
      std::memcmp(b.data() + 8, "WAVE", 4) != 0) {
    throw fail("not a wave file", kNotWave);
  }
  // A decoder sizes its buffers by what the chunks claim, so a damaged
  // length would have it allocate gigabytes.
  for (size_t at = 12;;) {
    if (b.size() - at < 8) throw fail("the file holds no sound data");
    const size_t room = b.size() - at - 8;
    const uint32_t claimed = le32(b, at + 4);
    if (std::memcmp(b.data() + at, "data", 4) == 0) {
      if (claimed > room) {
        const auto present = static_cast<uint32_t>(room);
        for (int i = 0; i < 4; ++i) b[at + 4 + i] = static_cast<uint8_t>(present >> (8 * i));
      }
      return b;
    }
    if (claimed > room) throw fail("truncated wave file");
    at += 8 + static_cast<size_t>(claimed) + (claimed & 1);
    if (at > b.size()) throw fail("the file holds no sound data");
  }
}

PcmSound readPcmWave(const std::string& path, const std::string& object,
                     const std::string& operation) {
  const Fail fail{path, object, operation};
  const std::vector<uint8_t> b = readWaveBytes(path, object, operation);
  const size_t fmt = findChunk(b, "fmt ", fail);
  if (le32(b, fmt + 4) < 16) throw fail("the format chunk is too short");
  uint32_t tag = le16(b, fmt + 8);
  const int channels = static_cast<int>(le16(b, fmt + 10));
  const int rate = static_cast<int>(le32(b, fmt + 12));
  const int blockAlign = static_cast<int>(le16(b, fmt + 20));
  const int bits = static_cast<int>(le16(b, fmt + 22));
  if (tag == 0xfffe && le32(b, fmt + 4) >= 40) tag = le16(b, fmt + 32);  // the sub-format's tag
  const bool integer = tag == 1 && (bits == 8 || bits == 16 || bits == 24 || bits == 32);
  const bool floating = tag == 3 && (bits == 32 || bits == 64);
  if (!integer && !floating) throw fail("unusable wave format " + std::to_string(tag));
  if (channels < 1 || channels > 8 || blockAlign != channels * bits / 8)
    throw fail("unusable wave layout");
  if (rate < kLowestSoundRate || rate > kHighestSoundRate)
    throw fail("unusable sample rate " + std::to_string(rate) + " Hz");
  const size_t data = findChunk(b, "data", fail);
  PcmSound sound;
  sound.channels = channels;
  sound.rate = rate;
  sound.blockAlign = blockAlign;
  // A trailing partial frame is not sound.
  sound.frames = le32(b, data + 4) / static_cast<uint32_t>(blockAlign);
  sound.sourceBytes = sound.frames * blockAlign;
  if (sound.frames == 0) throw fail("the file holds no sound data");
  if (sound.frames > kLongestSoundSeconds * rate)
    throw fail("the sound is longer than 20 minutes", kTooLongSound);
  const size_t bytesPer = static_cast<size_t>(bits / 8);
  sound.samples.resize(static_cast<size_t>(sound.frames) * static_cast<size_t>(channels));
  const uint8_t* in = b.data() + data + 8;
  for (size_t i = 0; i < sound.samples.size(); ++i, in += bytesPer) {
    double v = 0;
    if (floating && bits == 32) {
      float f;
      std::memcpy(&f, in, 4);
      v = f;
    } else if (floating) {
      std::memcpy(&v, in, 8);
    } else if (bits == 8) {
      v = (static_cast<int>(in[0]) - 128) / 128.0;
    } else {
      // Little-endian, signed: the top byte carries the sign.
      int64_t s = static_cast<int8_t>(in[bytesPer - 1]);
      for (size_t k = bytesPer - 1; k-- > 0;) s = s * 256 + in[k];
      v = static_cast<double>(s) / static_cast<double>(int64_t{1} << (bits - 1));
    }
    if (std::isnan(v)) v = 0;
    sound.samples[i] = static_cast<float>(v > 1 ? 1 : v < -1 ? -1 : v);
  }
  return sound;
}

}  // namespace kinopa
