// Every message box of the settings file and the sound loading, and the error
// box, as the player sees it: title and text, in English and in Japanese.
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

class ShownBoxes : public MessageSink {
 public:
  ShownBoxes() { setMessageSink(this); }
  ~ShownBoxes() override { setMessageSink(nullptr); }
  std::vector<std::string> shown;  // "title | text"
  void messageBox(const std::string& title, const std::string& text, int) override {
    shown.push_back(title + " | " + text);
  }
  void errorBox(const std::string& title, const std::string& text) override {
    shown.push_back(title + " | " + text);
  }
};

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
  std::string english;
  std::string japanese;
};

void PrintTo(const Box& b, std::ostream* os) { *os << b.name; }

class PlayerMessages : public testing::TestWithParam<Box> {};

TEST_P(PlayerMessages, SayWhatHappenedToWhichFileInThePlayersLanguage) {
  const Box& box = GetParam();
  for (const QLocale::Language language : {QLocale::English, QLocale::Japanese}) {
    ASSERT_EQ(useLanguage(language), "");
    GameFolder game;
    ShownBoxes boxes;
    box.show(game);
    std::string text = language == QLocale::English ? box.english : box.japanese;
    for (auto at = text.find("{root}"); at != std::string::npos; at = text.find("{root}"))
      text.replace(at, 6, game.root.string());
    EXPECT_EQ(boxes.shown, std::vector<std::string>{box.title + " | " + text})
        << QLocale::languageToString(language).toStdString();
  }
  ASSERT_EQ(useLanguage(QLocale::English), "");
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, PlayerMessages,
    testing::Values(
        Box{"IniMissing", readIni, kRead, "The file {root}/wave/wave.ini does not exist.",
            "ファイル {root}/wave/wave.ini がありません。"},
        Box{"IniUnreadable",
            [](GameFolder& game) {
              fs::create_directory(game.wave("wave.ini"));
              readIni(game);
            },
            kRead, "The file {root}/wave/wave.ini cannot be read.",
            "ファイル {root}/wave/wave.ini を読み込めません。"},
        Box{"IniEndsEarly", readingIni("\"m.wav\",1,0\r\n\"a.wav\",0,0\r\n"), kRead,
            "The file {root}/wave/wave.ini ends before all the settings were read. The damaged file will be kept as {root}/wave/wave.ini.bak when the settings are next saved. The sounds whose settings could not be read have the game's first settings.",
            "ファイル {root}/wave/wave.ini は設定を読み終える前に終わっています。壊れたファイルは、次に設定を保存するときに {root}/wave/wave.ini.bak として残されます。読み取れなかった音の設定は、ゲームの最初の設定になっています。"},
        Box{"IniNumberOutOfRange", readingIni("\"m.wav\",70000,0\r\n"), kRead,
            "The file {root}/wave/wave.ini holds the number 70000, which is out of range. The damaged file will be kept as {root}/wave/wave.ini.bak when the settings are next saved. The sounds whose settings could not be read have the game's first settings.",
            "ファイル {root}/wave/wave.ini にある数値 70000 は範囲外です。壊れたファイルは、次に設定を保存するときに {root}/wave/wave.ini.bak として残されます。読み取れなかった音の設定は、ゲームの最初の設定になっています。"},
        Box{"IniBoxValue", readingIni("\"m.wav\",1,5\r\n"), kRead,
            "The file {root}/wave/wave.ini holds 5 for a check box, which takes only 0, 1 or 2. The damaged file will be kept as {root}/wave/wave.ini.bak when the settings are next saved. The sounds whose settings could not be read have the game's first settings.",
            "ファイル {root}/wave/wave.ini のチェックボックスの値 5 は使えません（使えるのは 0、1、2 "
            "だけです）。壊れたファイルは、次に設定を保存するときに {root}/wave/wave.ini.bak として残されます。読み取れなかった音の設定は、ゲームの最初の設定になっています。"},
        Box{"IniNotSaved",
            [](GameFolder& game) {
              fs::remove_all(game.wave());
              SettingsValues controls;
              waveiniwrite(controls, 0);
            },
            kWrite, "The file {root}/wave/wave.ini cannot be written. The folder it belongs in does not exist.",
            "ファイル {root}/wave/wave.ini に書き込めません。保存先のフォルダーがありません。"},
        Box{"MusicMissing", [](GameFolder& game) { load(1, (game.root / "none.wav").string()); },
            "音楽ファイルに関して", "The file {root}/none.wav does not exist.",
            "ファイル {root}/none.wav がありません。"},
        Box{"CatchSoundMissing", loading(2, "nosuch.wav"),
            "zarup受け止め成功効果音ファイルに関して",
            "The file {root}/wave/nosuch.wav does not exist.",
            "ファイル {root}/wave/nosuch.wav がありません。"},
        Box{"FallSoundNamesTheFolder", loading(3, ""), "zarup受け止め失敗効果音ファイルに関して",
            "{root}/wave is a folder, not a sound file.",
            "{root}/wave はフォルダーで、音声ファイルではありません。"},
        Box{"ClickSoundNotAWave", loading(4, "click.wav", "ID3 an mp3 file"),
            "melkitクリック成功効果音ファイルに関して",
            "The file {root}/wave/click.wav is not a wave file.",
            "ファイル {root}/wave/click.wav は WAVE ファイルではありません。"},
        Box{"MissSoundWithoutSound",
            loading(5, "miss.wav", std::string("RIFF\x04\0\0\0WAVE", 12)),
            "melkitクリック失敗効果音ファイルに関して",
            "The file {root}/wave/miss.wav holds no sound the game can play.",
            "ファイル {root}/wave/miss.wav にはゲームで再生できる音声がありません。"},
        Box{"PictureMissing", [](GameFolder&) { startWithout("nosuch.bmp"); }, "Kinopa",
            "The picture {root}/images/nosuch.bmp is missing, so the game cannot start.",
            "画像ファイル {root}/images/nosuch.bmp がないため、ゲームを始められません。"},
        Box{"Overflow", [](GameFolder&) { showErrorBox(OverflowError()); }, "Kinopa",
            "The game met an error it cannot go on from: a number went beyond the range it "
            "can hold.",
            "数値が扱える範囲を超えるエラーが起きたため、ゲームを続けられません。"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kinopa
