// A recording as anyone may hand it over to watch: any bytes at all. The
// reader and the search for the last game either refuse it with
// NotARecording or find a last game that begins with a click on Start.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "play/recording_file.h"
#include "fuzz_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace kinopa;
  static const std::string path = fuzzing::scratchFolder() + "/r.kinopa";
  fuzzing::writeInput(path, data, size);
  try {
    Recording recording(path);
    const std::size_t last = lastGameStart(recording);
    // Read again from the start, as watching does, it holds a Start there.
    recording.rewind();
    ReplayCommand c;
    for (std::size_t i = 0; i <= last; ++i)
      if (!recording.next(c)) std::abort();
    if (c.kind != ReplayCommand::start) std::abort();
  } catch (const NotARecording&) {
  }
  return 0;
}
