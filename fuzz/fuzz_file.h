#pragma once
// The fuzzers hand each input to the game's readers as a file, the way a
// player would: one file in a folder of the fuzzer's own, rewritten for
// every input. The folder lies in memory (/dev/shm) where there is one.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace kinopa::fuzzing {

inline std::string scratchFolder() {
  static const std::string folder = [] {
    std::string pattern = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    pattern += "/kinopa-fuzz-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) {
      std::perror("mkdtemp");
      std::abort();
    }
    return pattern;
  }();
  return folder;
}

// Writes `data` to `path` whole; a failure here is the machine's, not the
// reader's, so it stops the run.
inline void writeInput(const std::string& path, const uint8_t* data, size_t size) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr || (size > 0 && std::fwrite(data, 1, size, f) != size) || std::fclose(f) != 0) {
    std::perror(path.c_str());
    std::abort();
  }
}

}  // namespace kinopa::fuzzing
