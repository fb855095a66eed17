#pragma once
// Reading a wave file into samples of the audio device's format.
#include <string>

#include "core/voices.h"

namespace kinopa {

// Reads any wave file SDL's loader takes and converts it once to 16-bit
// samples at `frequency` Hz with `channels` channels. A missing file or
// unusable data throws PlatformError naming `object` and `operation`.
DeviceSound readWaveFile(const std::string& path, int frequency, int channels,
                         const std::string& object, const std::string& operation);

}  // namespace kinopa
