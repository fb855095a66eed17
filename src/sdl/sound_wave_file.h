#pragma once
// Reading a wave file into samples of the audio device's format.
#include <cstdint>
#include <string>
#include <vector>

namespace kinopa {

struct DeviceSound {
  std::vector<int16_t> samples;  // interleaved, `channels` per frame
  int64_t frames = 0;
  // The file's own layout, for positions given in bytes of its wave data.
  int sourceFrequency = 0;
  int sourceBlockAlign = 0;
  int64_t sourceBytes = 0;
};

// Reads any wave file SDL's loader takes and converts it once to 16-bit
// samples at `frequency` Hz with `channels` channels. A missing file or
// unusable data throws PlatformError naming `object` and `operation`.
DeviceSound readWaveFile(const std::string& path, int frequency, int channels,
                         const std::string& object, const std::string& operation);

}  // namespace kinopa
