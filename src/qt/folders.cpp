#include "core/folders.h"

#include <QDir>
#include <QFile>
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

bool isFolder(const std::string& path) {
  std::error_code ec;
  return std::filesystem::is_directory(path, ec);
}

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
  return f;
}

std::string settingsFile(const std::string& name) {
  const std::string folder = gameFolders().settings;
  if (folder.empty()) throw noHome();
  return folder + name;
}

void prepareSettingsFolder(const GameFolders& folders) {
  if (!folders.installed) return;
  if (folders.settings.empty()) throw noHome();
  // Installed under ~/.local, the game's data folder is the player's folder
  // too (~/.local/share/kinopa): it is there before the first start, which
  // then is the start that finds no settings and no best game in it.
  const bool sharedWithData =
      QDir::cleanPath(QString::fromStdString(folders.images + "..")) ==
      QDir::cleanPath(QString::fromStdString(folders.settings));
  const bool firstStart =
      !isFolder(folders.settings) ||
      (sharedWithData && !QFile::exists(QString::fromStdString(folders.settings + "wave.ini")) &&
       !QFile::exists(QString::fromStdString(folders.settings + "best-game.kinopa")));
  if (!firstStart) return;
  const QString folder = QString::fromStdString(folders.settings);
  if (!QDir().mkpath(folder)) {
    throw PlatformError(
        "Folder", "Create", "cannot create " + folders.settings,
        {QT_TRANSLATE_NOOP("kinopa", "The folder %1 for your settings cannot be created."),
         folders.settings});
  }
  const QString shipped = QString::fromStdString(folders.sounds + "wave.ini");
  QFile from(shipped);
  if (!from.copy(folder + "wave.ini")) {
    throw PlatformError(
        "File", "Copy", from.errorString().toStdString() + ": " + shipped.toStdString(),
        {QT_TRANSLATE_NOOP("kinopa", "The first settings file cannot be copied to %1."),
         folders.settings + "wave.ini"});
  }
}

}  // namespace kinopa
