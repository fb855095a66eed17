// kinopa-first-wave-ini FILE: writes the wave.ini a first start finds, the
// first sound settings (SettingsValues) and a highest score of 0, with the
// game's own writer. The build ships it; the fuzzers start from it.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

#include "sound/settings_values.h"
#include "sound/wave_ini.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: kinopa-first-wave-ini FILE\n", stderr);
    return 2;
  }
  const std::filesystem::path file = argv[1];
  const std::filesystem::path temporary = file.string() + ".new";
  try {
    kinopa::SettingsValues first;
    const std::string bytes = kinopa::waveIniBytes(first, 0);
    if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path());
    {
      std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
      out << bytes;
      out.close();
      if (!out) throw std::runtime_error("cannot write " + temporary.string());
    }
    std::filesystem::rename(temporary, file);  // whole, or not at all
  } catch (const std::exception& e) {
    std::fprintf(stderr, "kinopa-first-wave-ini: %s\n", e.what());
    std::error_code ignored;
    std::filesystem::remove(temporary, ignored);
    return 1;
  }
  return 0;
}
