#include "platform/game_folders.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <filesystem>
#include <system_error>

#include "platform/errors.h"
#include "platform/program_folder.h"

#ifndef KINOPA_DATA_FROM_BIN
#error "KINOPA_DATA_FROM_BIN: the path from the installed program's folder to its data"
#endif

namespace kinopa {
namespace {

bool isFolder(const std::string& path) {
  std::error_code ec;
  return std::filesystem::is_directory(path, ec);
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
  return f;
}

std::string settingsFile(const std::string& name) {
  const std::string folder = gameFolders().settings;
  if (folder.empty())
    throw PlatformError("Folder", "Find", "there is no folder for the player's own files");
  return folder + name;
}

void prepareSettingsFolder(const GameFolders& folders) {
  if (!folders.installed) return;
  if (folders.settings.empty())
    throw PlatformError("Folder", "Find", "there is no folder for the player's own files");
  if (isFolder(folders.settings)) return;
  const QString folder = QString::fromStdString(folders.settings);
  if (!QDir().mkpath(folder))
    throw PlatformError("Folder", "Create", "cannot create " + QDir::cleanPath(folder).toStdString());
  const QString shipped = QString::fromStdString(folders.sounds + "wave.ini");
  QFile from(shipped);
  if (!from.copy(folder + "wave.ini"))
    throw PlatformError("File", "Copy",
                        from.errorString().toStdString() + ": " + shipped.toStdString());
}

}  // namespace kinopa
