#include "core/folders.h"

#include <QDir>
#include <QStandardPaths>
#include <filesystem>
#include <system_error>

#include "core/errors.h"
#include "core/program_folder.h"

#ifndef KINOPA_DATA_FROM_BIN
#error "KINOPA_DATA_FROM_BIN: the path from the installed program's folder to its data"
#endif

namespace kinopa {
namespace {

PlatformError noHome() {
  return PlatformError(
      "Folder", "Find", "no data folder for the player's files",
      {QT_TRANSLATE_NOOP("kinopa", "There is no folder for your settings: your home folder is not known.")});
}

std::string withSlash(std::string path) {
  if (path.empty() || path.back() != '/') path += '/';
  return path;
}

}  // namespace

GameFolders gameFolders() {
  GameFolders f;
  f.images = folderBesideProgram("images");
  f.sounds = folderBesideProgram("wave");
  // Either folder makes a portable copy: one whose wave/ went missing still
  // keeps its files there (and says it cannot find them).
  if (isFolder(f.images) || isFolder(f.sounds)) {
    f.settings = f.sounds;
    return f;
  }
  const std::string data =
      QDir::cleanPath(QString::fromStdString(withSlash(programFolder()) + KINOPA_DATA_FROM_BIN))
          .toStdString();
  f.images = data + "/images/";
  f.sounds = data + "/wave/";
  const QString home = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  if (!home.isEmpty()) f.settings = withSlash(QDir::cleanPath(home).toStdString());
  f.installed = true;
  // Installed under ~/.local, the game's data folder is the player's folder
  // too (~/.local/share/kinopa).
  f.settingsPremade =
      !home.isEmpty() && QDir::cleanPath(QString::fromStdString(data)) == QDir::cleanPath(home);
  return f;
}

bool isFolder(const std::string& path) {
  std::error_code ec;
  return std::filesystem::is_directory(path, ec);
}

void makeFolder(const std::string& path) {
  if (!QDir().mkpath(QString::fromStdString(path)))
    throw PlatformError("Folder", "Create", "cannot create " + path);
}

std::string settingsFile(const std::string& name) {
  const std::string folder = gameFolders().settings;
  if (folder.empty()) throw noHome();
  return folder + name;
}

}  // namespace kinopa
