#pragma once
// Wave files as the game reads them: the file's bytes, checked chunk by
// chunk before any decoder acts on the sizes they claim, within the limits
// the game takes (sample rates, length), every problem told to the player
// naming the file. The desktop's sound device decodes the checked bytes with
// SDL; the browser's takes them decoded here (plain PCM and floating point).
#include <cstdint>
#include <string>
#include <vector>

namespace kinopa {

// The sample rates taken, in Hz, and the longest sound kept.
constexpr int kLowestSoundRate = 1000;
constexpr int kHighestSoundRate = 384000;
constexpr int64_t kLongestSoundSeconds = 20 * 60;

// The bytes of the wave file at `path`, its chunks checked: every chunk
// before the sound data lies inside the file, and sound data cut short (a
// recording that was interrupted) is taken as far as it goes, its length
// mended in the bytes. Throws PlatformError naming `object` and `operation`
// with a sentence for the player.
std::vector<uint8_t> readWaveBytes(const std::string& path, const std::string& object,
                                   const std::string& operation);

// The sentences for a sound the game cannot play, and one too long; the
// file's path stands for %1.
extern const char* const kUnusableSound;
extern const char* const kTooLongSound;

// A wave file's sound as it is in the file: interleaved samples from -1 to 1
// at the file's own rate, with the layout positions are counted in.
struct PcmSound {
  int channels = 0;
  int rate = 0;
  int blockAlign = 0;      // bytes of one frame in the file
  int64_t frames = 0;
  int64_t sourceBytes = 0;  // of sound data, whole frames
  std::vector<float> samples;
};

// Reads and decodes a wave file of plain PCM (8, 16, 24 or 32 bits) or
// floating point (32 or 64 bits), within the game's limits. Throws as
// readWaveBytes does.
PcmSound readPcmWave(const std::string& path, const std::string& object,
                     const std::string& operation);

}  // namespace kinopa
