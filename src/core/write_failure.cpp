#include "core/write_failure.h"

#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

namespace kinopa {
namespace {

const char* const kCannotWrite = QT_TRANSLATE_NOOP("kinopa", "The file %1 cannot be written.");
const char* const kFolderInTheWay =
    QT_TRANSLATE_NOOP("kinopa", "A folder of that name stands in its place.");
const char* const kNoFolder = QT_TRANSLATE_NOOP("kinopa", "The folder it belongs in does not exist.");
const char* const kFolderLocked =
    QT_TRANSLATE_NOOP("kinopa", "You may not write into the folder it belongs in.");
const char* const kFileLocked = QT_TRANSLATE_NOOP("kinopa", "The file is read-only.");
const char* const kDiskReadOnly = QT_TRANSLATE_NOOP("kinopa", "The disk it lies on is read-only.");
const char* const kDiskFull = QT_TRANSLATE_NOOP("kinopa", "The disk is full.");
const char* const kTooLarge =
    QT_TRANSLATE_NOOP("kinopa", "The file would be larger than the system allows.");
const char* const kSystemSays = QT_TRANSLATE_NOOP("kinopa", "The system says: %2.");

// The reason an error number gives, when it names one the player can act on.
const char* reasonOf(int errorNumber) {
  switch (errorNumber) {
    case ENOSPC:
    case EDQUOT: return kDiskFull;
    case EFBIG: return kTooLarge;
    case EROFS: return kDiskReadOnly;
    case EISDIR: return kFolderInTheWay;
    case ENOENT:
    case ENOTDIR: return kNoFolder;
    case EACCES:
    case EPERM: return kFolderLocked;
    default: return nullptr;
  }
}

// The reason the disk shows, looked at now: the error number of a call may
// belong to another step than the one that failed.
const char* reasonOnDisk(const std::string& path) {
  namespace fs = std::filesystem;
  std::error_code error;
  if (fs::is_directory(path, error)) return kFolderInTheWay;
  fs::path folder = fs::path(path).parent_path();
  if (folder.empty()) folder = ".";
  if (!fs::is_directory(folder, error)) return kNoFolder;
  if (::access(folder.c_str(), W_OK) != 0) return errno == EROFS ? kDiskReadOnly : kFolderLocked;
  if (fs::exists(path, error) && ::access(path.c_str(), W_OK) != 0)
    return errno == EROFS ? kDiskReadOnly : kFileLocked;
  struct statvfs disk {};
  if (::statvfs(folder.c_str(), &disk) == 0 && disk.f_bavail == 0) return kDiskFull;
  return nullptr;
}

}  // namespace

PlayerText unwritableFile(const std::string& path, int errorNumber, const std::string& description) {
  const char* reason = reasonOnDisk(path);
  if (reason == nullptr) reason = reasonOf(errorNumber);
  if (reason == nullptr && !description.empty()) reason = kSystemSays;
  return {kCannotWrite, path, description, reason};
}

}  // namespace kinopa
