#include "core/program_folder.h"

#include <filesystem>
#include <system_error>

#include "core/errors.h"

namespace kinopa {
namespace {
std::string g_override;
}

std::string programFolder() {
  if (!g_override.empty()) return g_override;
  std::error_code ec;
  const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) throw PlatformError("App", "Path", "cannot find the program file: " + ec.message());
  return exe.parent_path().string();
}

void overrideProgramFolder(const std::string& folder) { g_override = folder; }

std::string folderBesideProgram(const std::string& name) {
  std::string path = programFolder();
  if (path.empty() || path.back() != '/') path += '/';
  return path + "../" + name + "/";
}

}  // namespace kinopa
