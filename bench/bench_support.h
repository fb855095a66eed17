#pragma once
// Shared by the bench programs: order statistics, processor time, and a game
// folder of the program's own (images from the build, sounds switched on).
#include <sys/resource.h>

#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/folders.h"
#include "core/program_folder.h"

namespace kinopa::bench {

using Clock = std::chrono::steady_clock;

inline double ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// The q-quantile (0 < q <= 1) of `v` by the nearest-rank rule: the smallest
// value with at least q of all values at or below it.
inline double quantile(std::vector<double> v, double q) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  const auto rank = static_cast<size_t>(std::ceil(q * static_cast<double>(v.size())));
  return v[std::clamp<size_t>(rank, 1, v.size()) - 1];
}

// Processor time of the whole process (every thread), in seconds.
inline double processSeconds() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
         static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// Resident memory of this process in kB (VmRSS), 0 when unknown.
inline long residentKb() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
  return 0;
}

// A game folder in a temporary directory with the build's pictures and
// sounds, every sound switched on (the music too), and the program set to
// live in its bin/. The build's own wave.ini is never touched.
class GameFolder {
 public:
  explicit GameFolder(const std::string& buildBin) {
    namespace fs = std::filesystem;
    const fs::path root = dir_.path().toStdString();
    const fs::path build = fs::path(buildBin).parent_path();
    fs::create_directories(root / "bin");
    fs::create_directories(root / "wave");
    fs::create_directory_symlink(build / "images", root / "images");
    for (const char* f :
         {"music.wav", "zarupok.wav", "zarupfall.wav", "melkitok.wav", "melkitmiss.wav"})
      fs::create_symlink(build / "wave" / f, root / "wave" / f);
    std::ofstream(root / "wave" / "wave.ini", std::ios::binary)
        << "\"music.wav\",0,0\r\n\"zarupok.wav\",0,0\r\n\"zarupfall.wav\",0,0\r\n"
           "\"melkitok.wav\",0,0\r\n\"melkitmiss.wav\",0,0\r\n0\r\n";
    overrideProgramFolder((root / "bin").string());
  }
  ~GameFolder() { overrideProgramFolder(""); }

 private:
  QTemporaryDir dir_;
};

}  // namespace kinopa::bench
