// wave.ini as a player's editor may leave it: any bytes at all. The reader
// must never crash, hang or leak; it takes the whole file, or what it can of
// a damaged one with one message box. Whatever it took, written back and
// read again, gives the same settings without a box, and the highest score
// never goes down.
#include <sys/stat.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz_file.h"
#include "sound/settings_values.h"
#include "core/messages.h"
#include "core/program_folder.h"
#include "sound/wave_ini.h"

namespace {

using namespace kinopa;

class CountingMessages : public MessageSink {
 public:
  int boxes = 0;
  void messageBox(const std::string&, const std::string&, int) override { ++boxes; }
  void errorBox(const std::string&, const std::string&) override { std::abort(); }
};

CountingMessages messages;

void check(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "wave.ini reader: %s\n", what);
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  const std::string root = fuzzing::scratchFolder();
  mkdir((root + "/bin").c_str(), 0700);
  mkdir((root + "/wave").c_str(), 0700);
  overrideProgramFolder(root + "/bin");
  setMessageSink(&messages);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzzing::writeInput(waveIniPath(), data, size);
  SettingsValues controls;
  int32_t highScore = 7;
  messages.boxes = 0;
  waveiniread(controls, highScore);
  check(messages.boxes <= 1, "more than one message box for one reading");
  check(highScore >= 7, "the highest score went down");
  messages.boxes = 0;
  const std::string bytes = waveIniBytes(controls, highScore);
  fuzzing::writeInput(waveIniPath(), reinterpret_cast<const uint8_t*>(bytes.data()),
                      bytes.size());
  SettingsValues again;
  int32_t againHigh = highScore;
  waveiniread(again, againHigh);
  check(messages.boxes == 0, "a file the writer made was refused");
  check(again == controls && againHigh == highScore, "written and read again, the settings changed");
  return 0;
}
