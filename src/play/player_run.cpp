#include "play/player_run.h"

#include <cstdio>

#include "core/errors.h"
#include "core/files.h"
#include "core/messages.h"
#include "sound/wave_ini.h"

namespace kinopa {
namespace {

bool firstStart(const GameFolders& folders, const PlayerFiles& files) {
  if (!isFolder(files.folder)) return true;
  return folders.settingsPremade && !fileExists(files.settings) && !fileExists(files.bestGame) &&
         !isFolder(files.tenBest);
}

// An error of a platform call, said to the player as `text`.
Error sayingTo(const Error& e, PlayerText text) { return Error(e.description(), std::move(text)); }

}  // namespace

PlayerFiles::PlayerFiles(const GameFolders& folders)
    : folder(folders.settings),
      settings(folder.empty() ? std::string() : folder + kWaveIniName),
      bestGame(folder.empty() ? std::string() : folder + kBestGameName),
      tenBest(folder.empty() ? std::string() : folder + kTenBestName + "/") {}

void PlayerRun::prepareFolder(const GameFolders& folders) {
  if (!folders.installed) return;
  const PlayerFiles files(folders);
  try {
    if (files.folder.empty()) {
      throw Error("no data folder for the player's files",
                  {QT_TRANSLATE_NOOP("kinopa", "There is no folder for your settings: your home "
                                               "folder is not known.")});
    }
    if (!firstStart(folders, files)) return;
    try {
      makeFolder(files.folder);
    } catch (const Error& e) {
      throw sayingTo(e, {QT_TRANSLATE_NOOP("kinopa",
                                           "The folder %1 for your settings cannot be created."),
                         files.folder});
    }
    try {
      replaceWholeFile(files.settings, readWholeFile(folders.sounds + kWaveIniName));
    } catch (const Error& e) {
      throw sayingTo(e, {QT_TRANSLATE_NOOP("kinopa",
                                           "The first settings file cannot be copied to %1."),
                         files.settings});
    }
  } catch (const Error& e) {
    MsgBox(e, MB_EXCLAMATION_OK, kWaveIniWriteTitle);
  }
}

void PlayerRun::clearSaveLeftovers(const GameFolders& folders) {
  if (folders.settings.empty()) return;
  try {
    removeSaveLeftovers(folders.settings, {kWaveIniName, kBestGameName});
  } catch (const Error& e) {
    std::fprintf(stderr, "kinopa: %s\n", e.description().c_str());
  }
  TenBest::clearSaveLeftovers(PlayerFiles(folders).tenBest);
}

PlayerRun::PlayerRun(const GameFolders& folders, std::string recordFile)
    : best_(PlayerFiles(folders).bestGame),
      tenBest_(PlayerFiles(folders).tenBest),
      recordFile_(std::move(recordFile)) {}

Services PlayerRun::services(EventPump& pump) {
  return Services{tick_, random_, pump, Mode::play, &recorder_, &best_, recordFile_, &tenBest_};
}

}  // namespace kinopa
