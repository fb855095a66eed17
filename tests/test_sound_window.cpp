// The sound through the main window: settings read at every game
// preparation and written at the end, the music over a game's life, the
// dialog's buttons, and the two ways a run used to lose a record or a file.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <filesystem>
#include <functional>

#include "shown_session.h"
#include "window/draw_w.h"
#include "window_controls.h"
#include "fakes.h"
#include "sequence_random.h"
#include "sound/wave_ini.h"
#include "sound_support.h"

namespace kinopa {
namespace {

using namespace testing_support;

// Runs step i of the script at yield i of the main loop, then the end button.
class ScriptPump : public EventPump {
 public:
  std::vector<std::function<void()>> steps;
  std::function<void()> atEnd;
  ScriptedTick* tick = nullptr;
  std::size_t yields = 0;
  void yield(bool) override {
    tick->now += 2;
    const std::size_t i = yields++;
    if (i < steps.size()) {
      if (steps[i]) steps[i]();
    } else {
      atEnd();
    }
  }
  void yieldUntilNextFrame() override { yield(false); }
};

const std::string kMusicOn =
    "\"music.wav\",0,0\r\n\"zarupok.wav\",0,0\r\n\"zarupfall.wav\",0,0\r\n\"melkitok.wav\",0,0\r\n"
    "\"melkitmiss.wav\",0,0\r\n5\r\n";

class SoundWindow : public testing::Test {
 protected:
  explicit SoundWindow(bool withSoundSettings = true)
      : shown(Services{tick, random, pump, withSoundSettings ? Mode::play : Mode::script}) {
    pump.tick = &tick;
    pump.atEnd = [this] { control<QPushButton>(w, "gameend")->click(); };
  }
  GameFolder game;
  RecordingMessages messages;
  ScriptedTick tick;
  SequenceRandom random{{0.5}};
  ScriptPump pump;
  ShownSession shown;
  DrawW& w = shown.window;
};

TEST_F(SoundWindow, AFirstStartWithoutSettingsWarnsOnceAndTheEndWritesThem) {
  w.Form_Load();
  EXPECT_EQ(messages.titles, std::vector<std::string>{kWaveIniReadTitle});
  EXPECT_EQ(w.soundMenu().Check6->value(), 1);
  EXPECT_EQ(w.session().soundBuffers().musicBuffer, nullptr);
  EXPECT_NE(w.session().soundBuffers().melkitMissBuffer, nullptr);
  EXPECT_EQ(control<QLabel>(w, "Label8")->text(), "0");
  EXPECT_EQ(game.readIni(), kInitialIni);
  EXPECT_FALSE(w.soundMenu().isVisible());
}

TEST_F(SoundWindow, MusicPlaysInAGameHaltsOnPauseAndGameOverAndStartsAfreshNextGame) {
  game.writeIni(kMusicOn);
  std::shared_ptr<SoundBuffer> first;
  std::vector<std::string> seen;
  auto look = [&](const char* when) {
    SoundBuffer& m = *w.session().soundBuffers().musicBuffer;
    // (A playing buffer's place is the sound device's business.)
    seen.push_back(std::string(when) + (m.isPlaying() ? " playing" : " stopped") +
                   (m.isLooping() ? " looping" : "") +
                   (!m.isPlaying() && m.framePosition() == 0 ? " at start" : ""));
  };
  pump.steps = {
      [&] {
        look("ready");
        control<QPushButton>(w, "gamestart")->click();
        first = w.session().soundBuffers().musicBuffer;
      },
      [&] { look("first frame"); },
      [&] {
        control<QPushButton>(w, "gamestart")->click();  // Pause
        look("paused");
      },
      [&] {
        control<QPushButton>(w, "gamestart")->click();  // a new game
        EXPECT_NE(w.session().soundBuffers().musicBuffer, first);
        look("new game");
      },
      [&] {
        look("its first frame");
        w.session().rules().remainingTime = 1;  // the next frame ends the game
      },
      [&] { look("game over"); }};
  w.Form_Load();
  EXPECT_TRUE(messages.titles.empty());
  EXPECT_EQ(seen, (std::vector<std::string>{
                      "ready stopped at start", "first frame playing looping",
                      "paused stopped looping at start", "new game stopped at start",
                      "its first frame playing looping", "game over stopped looping at start"}));
}

TEST_F(SoundWindow, EachEffectPlaysItsOwnBufferUnlessSwitchedOff) {
  pump.steps = {[&] {
    const std::vector<std::tuple<Sound, std::shared_ptr<SoundBuffer>, QAbstractButton*>> effects =
        {{Sound::zarupOk, w.session().soundBuffers().zarupOkBuffer, w.soundMenu().Check7},
         {Sound::zarupFall, w.session().soundBuffers().zarupFallBuffer, w.soundMenu().Check8},
         {Sound::melkitOk, w.session().soundBuffers().melkitOkBuffer, w.soundMenu().Check9},
         {Sound::melkitMiss, w.session().soundBuffers().melkitMissBuffer, w.soundMenu().Check10}};
    for (const auto& [sound, buffer, off] : effects) {
      off->click();  // switched off in the open dialog: silent at once
      w.session().sound().restart(sound);
      EXPECT_FALSE(buffer->isPlaying()) << static_cast<int>(sound);
      off->click();
      w.session().sound().restart(sound);
      EXPECT_TRUE(buffer->isPlaying()) << static_cast<int>(sound);
      buffer->Stop();
    }
  }};
  game.writeIni(kInitialIni);
  w.Form_Load();
}

TEST_F(SoundWindow, ARecordOfAnEarlierGameSurvivesTheNextGameAndIsSaved) {
  game.writeIni(kMusicOn);  // stored highest score 5
  pump.steps = {[&] { control<QPushButton>(w, "gamestart")->click(); },
                [&] { w.session().rules().score = 9; },
                [&] { control<QPushButton>(w, "gamestart")->click(); },                 // Pause
                [&] { control<QPushButton>(w, "gamestart")->click(); },                 // the next game re-reads wave.ini
                [&] { EXPECT_EQ(control<QLabel>(w, "Label8")->text(), "9"); }};
  w.Form_Load();
  EXPECT_EQ(w.session().rules().highScore, 9);
  EXPECT_TRUE(game.readIni().ends_with("\r\n9\r\n"));
}

TEST_F(SoundWindow, OkReloadsAndSavesCancelGoesBackToTheSavedSettings) {
  game.writeIni(kInitialIni);
  pump.steps = {[&] {
    control<QPushButton>(w, "Command1")->click();  // the sound settings button
    SoundMenu& menu = w.soundMenu();
    EXPECT_TRUE(menu.isVisible());
    menu.Text2->setText("gone.wav");
    menu.Command1->click();  // OK
    EXPECT_FALSE(menu.isVisible());
    EXPECT_EQ(menu.Check7->value(), 1);
    EXPECT_EQ(game.readIni().substr(0, 30), "\"\",0,1\r\n\"gone.wav\",0,1\r\n\"zarup");

    control<QPushButton>(w, "Command1")->click();
    menu.Text3->setText("edited.wav");
    menu.Check1->click();
    menu.Command2->click();  // Cancel
    EXPECT_EQ(menu.Text3->text(), "zarupfall.wav");
    EXPECT_EQ(menu.Check1->value(), 0);
    EXPECT_EQ(menu.Text2->text(), "gone.wav");
  }};
  w.Form_Load();
  EXPECT_EQ(messages.titles, std::vector<std::string>{"zarup受け止め成功効果音ファイルに関して"});
}

TEST_F(SoundWindow, ASettingsFileThatCannotBeWrittenAtTheEndIsReportedAndTheProgramEnds) {
  game.writeIni(kInitialIni);
  pump.steps = {[&] { std::filesystem::remove_all(game.wave()); }};
  EXPECT_NO_THROW(w.Form_Load());
  EXPECT_EQ(messages.titles, std::vector<std::string>{kWaveIniWriteTitle});
  EXPECT_FALSE(w.isVisible());
  EXPECT_FALSE(w.soundMenu().isVisible());
}

class WithoutSoundSettings : public SoundWindow {
 protected:
  WithoutSoundSettings() : SoundWindow(false) {}
};

TEST_F(WithoutSoundSettings, NothingIsReadWrittenLoadedOrPlayed) {
  game.writeIni(kMusicOn);
  pump.steps = {[&] { control<QPushButton>(w, "gamestart")->click(); }, [&] { w.session().rules().score = 3; }, nullptr};
  w.Form_Load();
  EXPECT_TRUE(messages.titles.empty());
  EXPECT_EQ(w.session().soundBuffers().musicBuffer, nullptr);
  EXPECT_EQ(w.session().soundBuffers().zarupOkBuffer, nullptr);
  EXPECT_EQ(game.readIni(), kMusicOn);
}

}  // namespace
}  // namespace kinopa
