// Where the game looks for its files: a portable copy keeps everything beside
// the program; an installed one reads its data from share/kinopa and keeps the
// player's files in the player's own folder, made on the first start.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "core/errors.h"
#include "core/folders.h"
#include "core/program_folder.h"
#include "core/files.h"
#include "play/player_run.h"
#include "sound/wave_ini.h"
#include "sound_support.h"

namespace kinopa {
namespace {

namespace fs = std::filesystem;

class Folders : public testing::Test {
 protected:
  Folders() : root(dir_.path().toStdString()) {
    const char* old = std::getenv("XDG_DATA_HOME");
    if (old) oldDataHome_ = old;
    setenv("XDG_DATA_HOME", (root / "home-data").c_str(), 1);
  }
  ~Folders() override {
    overrideProgramFolder("");
    if (oldDataHome_.empty()) unsetenv("XDG_DATA_HOME");
    else setenv("XDG_DATA_HOME", oldDataHome_.c_str(), 1);
  }
  void makeInstalled() {
    fs::create_directories(root / "usr/bin");
    fs::create_directories(root / "usr/share/kinopa/images");
    fs::create_directories(root / "usr/share/kinopa/wave");
    std::ofstream(root / "usr/share/kinopa/wave/wave.ini") << "shipped";
    overrideProgramFolder((root / "usr/bin").string());
  }

  QTemporaryDir dir_;
  fs::path root;
  std::string oldDataHome_;
};

TEST_F(Folders, PortableCopyKeepsEverythingBesideTheProgram) {
  for (const char* d : {"bin", "images", "wave"}) fs::create_directories(root / d);
  // Even with an installed layout's folders there too, the portable one wins.
  fs::create_directories(root / "share/kinopa/images");
  overrideProgramFolder((root / "bin").string());
  const GameFolders f = gameFolders();
  EXPECT_FALSE(f.installed);
  EXPECT_EQ(f.images, (root / "bin").string() + "/../images/");
  EXPECT_EQ(f.sounds, (root / "bin").string() + "/../wave/");
  EXPECT_EQ(f.settings, f.sounds);
  PlayerRun::prepareFolder(f);  // nothing to do
  EXPECT_FALSE(fs::exists(root / "home-data"));
  // A copy whose wave/ went missing stays portable: its files are looked for
  // (and missed) there, never in the player's folder.
  fs::remove(root / "wave");
  EXPECT_EQ(gameFolders().settings, (root / "bin").string() + "/../wave/");
}

TEST_F(Folders, InstalledGameReadsItsDataAndMakesThePlayersFolderOnce) {
  makeInstalled();
  const GameFolders f = gameFolders();
  EXPECT_TRUE(f.installed);
  EXPECT_EQ(f.images, (root / "usr/share/kinopa/images/").string());
  EXPECT_EQ(f.sounds, (root / "usr/share/kinopa/wave/").string());
  EXPECT_EQ(settingsFile("wave.ini"), (root / "home-data/kinopa/wave.ini").string());

  PlayerRun::prepareFolder(f);
  EXPECT_EQ(readWholeFile(settingsFile("wave.ini")), "shipped");
  // Later starts leave the player's folder as it is, a missing wave.ini too.
  fs::remove(settingsFile("wave.ini"));
  PlayerRun::prepareFolder(f);
  EXPECT_FALSE(fs::exists(settingsFile("wave.ini")));
}

// Installed under ~/.local the data folder and the player's folder are one.
TEST_F(Folders, InstallUnderTheDataHomeStillStartsWithTheFirstSettings) {
  // As with --prefix ~/.local: bin/ beside share/, and share/ the data home.
  fs::create_directories(root / "share/kinopa/images");
  fs::create_directories(root / "share/kinopa/wave");
  fs::create_directories(root / "bin");
  std::ofstream(root / "share/kinopa/wave/wave.ini") << "shipped";
  overrideProgramFolder((root / "bin").string());
  setenv("XDG_DATA_HOME", (root / "share").c_str(), 1);
  const GameFolders f = gameFolders();
  ASSERT_TRUE(f.installed);
  PlayerRun::prepareFolder(f);
  EXPECT_EQ(readWholeFile(settingsFile("wave.ini")), "shipped");
  // From then on a missing wave.ini is the player's to hear about.
  fs::remove(settingsFile("wave.ini"));
  std::ofstream(settingsFile("best-game.kinopa")) << "# Kinopa recording";
  PlayerRun::prepareFolder(f);
  EXPECT_FALSE(fs::exists(settingsFile("wave.ini")));
}

TEST_F(Folders, PlayersFolderThatCannotBeMadeIsSaid) {
  makeInstalled();
  std::ofstream(root / "home-data") << "a file where the folder should be";
  testing_support::RecordingMessages messages;
  PlayerRun::prepareFolder(gameFolders());
  EXPECT_EQ(messages.titles, std::vector<std::string>{kWaveIniWriteTitle});
}

TEST_F(Folders, OnlyTheLeftoversOfAnInterruptedSaveAreRemoved) {
  const std::vector<std::string> leftovers = {"wave.ini.AbCdEf", "wave.ini.zzzzzz",
                                              "best-game.kinopa.QwErTy"};
  const std::vector<std::string> kept = {
      "wave.ini",          "best-game.kinopa", "wave.ini.AbCdE",  "wave.ini.AbCdEfG",
      "wave.ini.Ab1dEf",   "wave.ini.bak",     "xwave.ini.AbCdEf", "wave_ini.AbCdEf",
      "music.wav.AbCdEf",  "best-game.kinopa.AbCdEf.txt"};
  for (const auto& name : leftovers) std::ofstream(root / name) << "x";
  for (const auto& name : kept) std::ofstream(root / name) << "x";
  EXPECT_EQ(removeSaveLeftovers(root.string() + "/", {"wave.ini", "best-game.kinopa"}), 3);
  for (const auto& name : leftovers) EXPECT_FALSE(fs::exists(root / name)) << name;
  for (const auto& name : kept) EXPECT_TRUE(fs::exists(root / name)) << name;
}

}  // namespace
}  // namespace kinopa
