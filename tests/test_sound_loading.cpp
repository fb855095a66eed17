// Loading the sounds: which files are tried, in which order, and what a
// failing file does to the settings and the buffers.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "sound/sound_loading.h"
#include "sound/wave_ini.h"
#include "sound_support.h"
#include "sdl/sdl_sound.h"

namespace kinopa {
namespace {

using namespace testing_support;
namespace fs = std::filesystem;

class Loading : public testing::Test {
 protected:
  GameFolder game;
  RecordingMessages messages;
  SettingsValues controls;
  SoundBuffers buffers;
  SdlSound ds;
  std::vector<std::string> tried;  // every path a buffer was made from, in order
  SoundLoading loading{controls, buffers,
                       [this](const std::string& path) {
                         tried.push_back(path);
                         return ds.CreateSoundBufferFromFile(path);
                       }};

  std::string inWave(const std::string& name) { return soundFolder() + name; }
  long triesOf(const std::string& name) {
    return std::count(tried.begin(), tried.end(), inWave(name));
  }
};

TEST_F(Loading, InitialSettingsLoadTheFourEffectsInOnePassWithoutMusic) {
  loading.loadwavex();
  EXPECT_TRUE(messages.titles.empty());
  EXPECT_EQ(tried, (std::vector<std::string>{inWave("zarupok.wav"), inWave("zarupfall.wav"),
                                             inWave("melkitok.wav"), inWave("melkitmiss.wav")}));
  EXPECT_EQ(buffers.musicBuffer, nullptr);
  for (int row = 2; row <= 5; ++row) EXPECT_NE(buffers.ofRow(row), nullptr) << row;
  EXPECT_EQ(controls.checks, (std::array<int16_t, 10>{0, 0, 0, 0, 0, 1, 0, 0, 0, 0}));
  EXPECT_EQ(loading.soundsLoaded, -1);

  // Switched off, a sound keeps the buffer it has and nothing is loaded.
  const auto catchSound = buffers.zarupOkBuffer;
  controls.checks = {0, 0, 0, 0, 0, 1, 1, 1, 1, 1};
  tried.clear();
  loading.loadwavex();
  EXPECT_TRUE(tried.empty());
  EXPECT_EQ(buffers.zarupOkBuffer, catchSound);
}

TEST_F(Loading, AMissingCatchFileIsReportedOnceSwitchedOffAndLoadingStartsOver) {
  fs::remove(game.wave("zarupok.wav"));
  controls.texts[0] = "music.wav";
  controls.checks[5] = 0;  // music on
  loading.loadwavex();
  EXPECT_EQ(messages.titles, std::vector<std::string>{"zarup受け止め成功効果音ファイルに関して"});
  EXPECT_NE(messages.texts[0].find("zarupok.wav"), std::string::npos) << messages.texts[0];
  EXPECT_EQ(triesOf("music.wav"), 2);
  EXPECT_EQ(triesOf("zarupok.wav"), 1);
  for (const char* f : {"zarupfall.wav", "melkitok.wav", "melkitmiss.wav"})
    EXPECT_EQ(triesOf(f), 1) << f;
  EXPECT_EQ(controls.Check(7), 1);
  EXPECT_EQ(buffers.zarupOkBuffer, nullptr);
  EXPECT_NE(buffers.musicBuffer, nullptr);
  EXPECT_EQ(loading.soundsLoaded, -1);
}

TEST_F(Loading, AllFourEffectsMissingGiveFourMessagesInOrderThenAFifthPass) {
  for (const char* f : {"zarupok.wav", "zarupfall.wav", "melkitok.wav", "melkitmiss.wav"})
    fs::remove(game.wave(f));
  loading.loadwavex();
  EXPECT_EQ(messages.titles, (std::vector<std::string>{
                                 "zarup受け止め成功効果音ファイルに関して",
                                 "zarup受け止め失敗効果音ファイルに関して",
                                 "melkitクリック成功効果音ファイルに関して",
                                 "melkitクリック失敗効果音ファイルに関して"}));
  EXPECT_EQ(tried.size(), 4u);
  EXPECT_EQ(controls.checks, (std::array<int16_t, 10>{0, 0, 0, 0, 0, 1, 1, 1, 1, 1}));
  EXPECT_EQ(loading.soundsLoaded, -1);
}

struct PathCase {
  const char* name;
  int16_t fullPath;
  // "~" at the start stands for the sound folder, then "@" for a folder
  // outside it.
  std::string text;
  std::string expected;  // the path tried, "" when none
  bool fails;
};

void PrintTo(const PathCase& c, std::ostream* os) { *os << c.name; }

class FullPathBox : public Loading, public testing::WithParamInterface<PathCase> {};

TEST_P(FullPathBox, DecidesWhereTheFileIsLookedFor) {
  const PathCase& c = GetParam();
  const fs::path elsewhere = game.root / "mine";
  fs::create_directories(elsewhere);
  fs::copy_file(game.wave("zarupok.wav"), elsewhere / "catch.wav");
  auto place = [&](std::string s) {
    std::string prefix;
    if (s.starts_with("~")) prefix = soundFolder(), s = s.substr(1);
    if (s.starts_with("@")) s = elsewhere.string() + s.substr(1);
    return prefix + s;
  };
  controls.checks = {0, c.fullPath, 0, 0, 0, 1, 0, 1, 1, 1};  // only the catch sound on
  controls.texts[1] = place(c.text);
  loading.loadwavex();
  const std::string expected = place(c.expected);
  EXPECT_EQ(tried, expected.empty() ? std::vector<std::string>{} : std::vector<std::string>{expected});
  EXPECT_EQ(messages.titles.size(), c.fails ? 1u : 0u);
  EXPECT_EQ(controls.Check(7), c.fails ? 1 : 0);
  EXPECT_EQ(buffers.zarupOkBuffer != nullptr, !c.fails && !expected.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Sounds, FullPathBox,
    testing::Values(
        PathCase{"TickedCompletePathLoadsWhereverItLies", 1, "@/catch.wav", "@/catch.wav", false},
        PathCase{"TickedBareNameIsTakenAlone", 1, "zarupok.wav", "zarupok.wav", true},
        PathCase{"ClearWithCompletePathIsPutAfterTheFolder", 0, "@/catch.wav", "~@/catch.wav", true},
        PathCase{"GreyedLoadsNothingAndLeavesTheSoundOn", 2, "zarupok.wav", "", false},
        PathCase{"EmptyNameNamesNoFile", 0, "", "~", true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SoundFolder, HasOneSeparatorBeforeTheWaveFolder) {
  for (const auto& [program, folder] : std::vector<std::pair<std::string, std::string>>{
           {"/", "/../wave/"}, {"/opt/kinopa/bin", "/opt/kinopa/bin/../wave/"},
           {"/opt/kinopa/bin/", "/opt/kinopa/bin/../wave/"}}) {
    overrideProgramFolder(program);
    EXPECT_EQ(folderBesideProgram("wave"), folder);
  }
  overrideProgramFolder("");
}

}  // namespace
}  // namespace kinopa
