#pragma once
// Loading the music and the four effects from their wave files into sound
// buffers, following the sound settings.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "core/media_types.h"
#include "core/sound_device.h"
#include "sound/sound_buffers.h"
#include "sound/sound_controls.h"

namespace kinopa {

// Makes a buffer from a wave file; the sound device's CreateSoundBufferFromFile.
using CreateBuffer = std::function<std::shared_ptr<SoundBuffer>(const std::string& path)>;

class SoundLoading {
 public:
  SoundLoading(SoundControls& controls, SoundBuffers& buffers, CreateBuffer create)
      : controls_(controls), buffers_(buffers), create_(std::move(create)) {}

  // Loads every sound that is switched on. A file that fails is shown in a
  // message box titled after its sound and switched off, and loading starts
  // over; every failure switches one more sound off, so this always ends.
  void loadwavex();
  // One loading pass: ends at the first failure.
  void LoadWave();

  // -1 when the last pass ended without a failure, 0 otherwise.
  int16_t soundsLoaded = 0;

 private:
  SoundControls& controls_;
  SoundBuffers& buffers_;
  CreateBuffer create_;
};

// The file row `row` (1 music, to 5) loads from: its file name in the sound
// folder while its full-path box is clear, the name alone, as a full path,
// while the box is ticked; none while it is greyed (nothing is loaded). The
// name is taken as it is, untrimmed.
std::optional<std::string> soundFilePath(SoundControls& controls, int row);

// The title of the message box about the file of row 1 (music) to 5.
std::string loadFailureTitle(int row);

}  // namespace kinopa
