// A replay script as anyone may write it: any bytes at all. The reader either
// takes the whole script or refuses it with a ScriptError naming the line;
// a script it took holds only commands it can play.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

#include "play/carried_state.h"
#include "play/replay_script.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace kinopa;
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  std::vector<ReplayCommand> script;
  try {
    script = parseReplayScript(in);
  } catch (const ScriptError& e) {
    if (std::string(e.what()).rfind("line ", 0) != 0) std::abort();
    return 0;
  }
  for (std::size_t i = 0; i < script.size(); ++i) {
    const ReplayCommand& c = script[i];
    if (c.kind == ReplayCommand::state) {
      // Only first, and written back it reads as the same line.
      if (i != 0) std::abort();
      std::istringstream again(stateCommand(carriedFromValues(c.values)));
      if (parseReplayScript(again).front().values != c.values) std::abort();
    }
    if (c.kind == ReplayCommand::random)
      for (double v : c.values)
        if (!(v >= 0.0 && v < 1.0)) std::abort();
  }
  return 0;
}
