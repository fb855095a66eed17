// Every message box of the settings file and the sound loading, and the error
// box, as the player sees it: its title, the file it is about, and a text in
// the player's language (English or Japanese).
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "core/numeric.h"
#include "core/surface.h"
#include "qt/translation.h"
#include "sound/sound_loading.h"
#include "sound/wave_ini.h"
#include "sound_support.h"
#include "sdl/sdl_sound.h"

namespace kinopa {
namespace {

using namespace testing_support;
namespace fs = std::filesystem;

void readIni(GameFolder&) {
  SettingsValues controls;
  int32_t highScore = 0;
  waveiniread(controls, highScore);
}

// wave.ini holding `bytes`, then read.
std::function<void(GameFolder&)> readingIni(std::string bytes) {
  return [bytes](GameFolder& game) {
    game.writeIni(bytes);
    readIni(game);
  };
}

// Only the sound of `row` switched on, its file named `name` (a full path
// when it starts with "/"), then loaded.
void load(int row, const std::string& name) {
  SettingsValues controls;
  controls.checks = {0, 0, 0, 0, 0, 1, 1, 1, 1, 1};
  controls.checks[row + 4] = 0;
  controls.checks[row - 1] = name.starts_with("/") ? 1 : 0;
  controls.texts[row - 1] = name;
  SoundBuffers buffers;
  SdlSound ds;
  SoundLoading loading(controls, buffers,
                       [&](const std::string& path) { return ds.CreateSoundBufferFromFile(path); });
  loading.loadwavex();
}

std::function<void(GameFolder&)> loading(int row, std::string name, std::string bytes = "") {
  return [=](GameFolder& game) {
    if (!bytes.empty()) std::ofstream(game.wave(name), std::ios::binary) << bytes;
    load(row, name);
  };
}

void startWithout(const std::string& picture) {
  DirectDraw7 dd;
  SurfaceDesc desc{DDSD_CAPS, 0, 0, DDSCAPS_OFFSCREENPLAIN};
  try {
    dd.CreateSurfaceFromFile(folderBesideProgram("images") + picture, desc);
  } catch (const std::exception& e) {
    showErrorBox(e);
  }
}

const char* const kRead = "wave.iniファイルに何か問題あるみたいです。";
const char* const kWrite = "wave.iniファイルに保存できませんでした。";
// "{root}" stands for the game's folder, which holds bin/, images/ and wave/.
struct Box {
  const char* name;
  std::function<void(GameFolder&)> show;
  std::string title;
  std::string file;  // named in the text ("" when it is about none)
};

void PrintTo(const Box& b, std::ostream* os) { *os << b.name; }

class PlayerMessages : public testing::TestWithParam<Box> {};

TEST_P(PlayerMessages, SayWhatHappenedToWhichFileInThePlayersLanguage) {
  const Box& box = GetParam();
  std::vector<std::string> texts;
  for (const QLocale::Language language : {QLocale::English, QLocale::Japanese}) {
    ASSERT_EQ(useLanguage(language), "");
    GameFolder game;
    RecordingMessages boxes(true);
    box.show(game);
    std::string file = box.file;
    if (file.starts_with("{root}")) file.replace(0, 6, game.root.string());
    ASSERT_EQ(boxes.titles, std::vector<std::string>{box.title});
    EXPECT_NE(boxes.texts[0].find(file), std::string::npos) << boxes.texts[0];
    texts.push_back(boxes.texts[0]);
  }
  ASSERT_EQ(useLanguage(QLocale::English), "");
  EXPECT_NE(texts[0], texts[1]) << "not translated";
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, PlayerMessages,
    testing::Values(
        Box{"IniMissing", readIni, kRead, "{root}/wave/wave.ini"},
        Box{"IniUnreadable",
            [](GameFolder& game) {
              fs::create_directory(game.wave("wave.ini"));
              readIni(game);
            },
            kRead, "{root}/wave/wave.ini"},
        Box{"IniEndsEarly", readingIni("\"m.wav\",1,0\r\n\"a.wav\",0,0\r\n"), kRead,
            "{root}/wave/wave.ini.bak"},
        Box{"IniNotSaved",
            [](GameFolder& game) {
              fs::remove_all(game.wave());
              SettingsValues controls;
              waveiniwrite(controls, 0);
            },
            kWrite, "{root}/wave/wave.ini"},
        Box{"MusicMissing", [](GameFolder& game) { load(1, (game.root / "none.wav").string()); },
            "音楽ファイルに関して", "{root}/none.wav"},
        Box{"CatchSoundMissing", loading(2, "nosuch.wav"), "zarup受け止め成功効果音ファイルに関して",
            "{root}/wave/nosuch.wav"},
        Box{"FallSoundNamesTheFolder", loading(3, ""), "zarup受け止め失敗効果音ファイルに関して",
            "{root}/wave"},
        Box{"ClickSoundNotAWave", loading(4, "click.wav", "ID3 an mp3 file"),
            "melkitクリック成功効果音ファイルに関して", "{root}/wave/click.wav"},
        Box{"MissSoundWithoutSound", loading(5, "miss.wav", std::string("RIFF\x04\0\0\0WAVE", 12)),
            "melkitクリック失敗効果音ファイルに関して", "{root}/wave/miss.wav"},
        Box{"PictureMissing", [](GameFolder&) { startWithout("nosuch.bmp"); }, "Kinopa",
            "{root}/images/nosuch.bmp"},
        Box{"Overflow", [](GameFolder&) { showErrorBox(OverflowError()); }, "Kinopa", ""}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kinopa
