// The sound of a play session: settings read at every game preparation and
// written at the end, the music over a game's life, the sound settings' OK
// and Cancel, and the two ways a run used to lose a record or a file.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "play/best_game.h"
#include "play/headless_front.h"
#include "fakes.h"
#include "sequence_random.h"
#include "sound/wave_ini.h"
#include "sound_support.h"

namespace kinopa {
namespace {

using namespace testing_support;

// The front end, noting when shutdown closes the windows.
class ClosingFront : public HeadlessFront {
 public:
  bool closed = false;
  void closeWindows() override { closed = true; }
};

const std::string kMusicOn =
    "\"music.wav\",0,0\r\n\"zarupok.wav\",0,0\r\n\"zarupfall.wav\",0,0\r\n\"melkitok.wav\",0,0\r\n"
    "\"melkitmiss.wav\",0,0\r\n5\r\n";

class SoundInPlay : public testing::Test {
 protected:
  explicit SoundInPlay(bool withSoundSettings = true)
      : session(Services{tick, random, pump, withSoundSettings ? Mode::play : Mode::script,
                         nullptr, &best},
                front) {
    pump.tick = &tick;
    pump.atEnd = [this] { session.endClicked(); };
  }
  GameFolder game;
  BestGame best{game.wave("best-game.kinopa").string()};
  RecordingMessages messages;
  ScriptedTick tick;
  SequenceRandom random{{0.5}};
  ScriptPump pump;
  ClosingFront front;
  SoundControls& settings = front.soundControls();
  PlaySession session;
};

// Said at start-up and again at every Start, which reads the file again.
TEST_F(SoundInPlay, AMissingSettingsFileIsSaidAtEachPreparationAndTheEndWritesIt) {
  pump.steps = {[&] { session.startClicked(); }};
  session.run();
  EXPECT_EQ(messages.titles, std::vector<std::string>(2, kWaveIniReadTitle));
  EXPECT_EQ(settings.Check(6), 1);
  EXPECT_EQ(session.soundBuffers().musicBuffer, nullptr);
  EXPECT_NE(session.soundBuffers().melkitMissBuffer, nullptr);
  EXPECT_EQ(session.caption(Control::Label8), "0");
  EXPECT_EQ(game.readIni(), kInitialIni);
}

TEST_F(SoundInPlay, MusicPlaysInAGameHaltsOnPauseAndGameOverAndStartsAfreshNextGame) {
  game.writeIni(kMusicOn);
  std::shared_ptr<SoundBuffer> first;
  std::vector<std::string> seen;
  auto look = [&](const char* when) {
    SoundBuffer& m = *session.soundBuffers().musicBuffer;
    // (A playing buffer's place is the sound device's business.)
    seen.push_back(std::string(when) + (m.isPlaying() ? " playing" : " stopped") +
                   (m.isLooping() ? " looping" : "") +
                   (!m.isPlaying() && m.framePosition() == 0 ? " at start" : ""));
  };
  pump.steps = {
      [&] {
        look("ready");
        session.startClicked();
        first = session.soundBuffers().musicBuffer;
      },
      [&] { look("first frame"); },
      [&] {
        session.startClicked();  // Pause
        look("paused");
      },
      [&] {
        session.startClicked();  // a new game
        EXPECT_NE(session.soundBuffers().musicBuffer, first);
        look("new game");
      },
      [&] {
        look("its first frame");
        session.rules().remainingTime = 1;  // the next frame ends the game
      },
      [&] { look("game over"); }};
  session.run();
  EXPECT_TRUE(messages.titles.empty());
  EXPECT_EQ(seen, (std::vector<std::string>{
                      "ready stopped at start", "first frame playing looping",
                      "paused stopped looping at start", "new game stopped at start",
                      "its first frame playing looping", "game over stopped looping at start"}));
}

TEST_F(SoundInPlay, EachEffectPlaysItsOwnBufferUnlessSwitchedOff) {
  pump.steps = {[&] {
    const std::vector<std::tuple<Sound, std::shared_ptr<SoundBuffer>, int>> effects =
        {{Sound::zarupOk, session.soundBuffers().zarupOkBuffer, 7},
         {Sound::zarupFall, session.soundBuffers().zarupFallBuffer, 8},
         {Sound::melkitOk, session.soundBuffers().melkitOkBuffer, 9},
         {Sound::melkitMiss, session.soundBuffers().melkitMissBuffer, 10}};
    for (const auto& [sound, buffer, off] : effects) {
      settings.setCheck(off, 1);  // switched off in the open dialog: silent at once
      session.sound().restart(sound);
      EXPECT_FALSE(buffer->isPlaying()) << static_cast<int>(sound);
      settings.setCheck(off, 0);
      session.sound().restart(sound);
      EXPECT_TRUE(buffer->isPlaying()) << static_cast<int>(sound);
      buffer->Stop();
    }
  }};
  game.writeIni(kInitialIni);
  session.run();
}

// A wave.ini cut short lost the record; the best game beside it knows it.
TEST_F(SoundInPlay, ADamagedSettingsFileShowsTheBestGamesScore) {
  game.writeIni("\"\",0,1\r\n\"zarupok.wav\",0,0\r\n\"zarupfall.wa");
  std::ofstream(game.wave("best-game.kinopa"))
      << "# Kinopa recording\n# last frame 3000: tick=31000 rem=0 score=1231 rate=4\n"
         "# end of recording\n";
  pump.steps = {[&] { EXPECT_EQ(session.caption(Control::Label8), "1231"); }};
  session.run();
  EXPECT_EQ(messages.titles, std::vector<std::string>{kWaveIniReadTitle});
  EXPECT_TRUE(game.readIni().ends_with("\r\n1231\r\n"));
}

// A record is saved in the frame that sets it, so that a kill or a closed
// page cannot take it; as it rises on, at most once a second of the game's
// clock.
TEST_F(SoundInPlay, ARecordIsSavedWhenTheGameSetsItThenAtMostOnceASecond) {
  game.writeIni(kMusicOn);  // stored highest score 5
  const auto stored = [&] {
    const std::string ini = game.readIni();
    return ini.substr(ini.rfind("\r\n", ini.size() - 3) + 2);
  };
  pump.steps = {[&] { session.startClicked(); },
                [&] { session.rules().score = 9; },
                [&] {
                  EXPECT_EQ(stored(), "9\r\n");
                  session.rules().score = 10;
                },
                [&] {
                  EXPECT_EQ(stored(), "9\r\n");
                  tick.now += 1000;
                },
                nullptr,
                [&] { EXPECT_EQ(stored(), "10\r\n"); }};
  session.run();
  EXPECT_TRUE(messages.titles.empty());
}

TEST_F(SoundInPlay, OkReloadsAndSavesCancelGoesBackToTheSavedSettings) {
  game.writeIni(kInitialIni);
  pump.steps = {[&] {
    settings.setText(2, "gone.wav");
    session.soundSettingsOk();
    EXPECT_EQ(settings.Check(7), 1);  // the file is missing: its row goes off, and is saved so
    EXPECT_EQ(game.readIni().substr(0, 30), "\"\",0,1\r\n\"gone.wav\",0,1\r\n\"zarup");

    settings.setText(3, "edited.wav");
    settings.setCheck(1, 1);
    session.soundSettingsCancel();
    EXPECT_EQ(settings.Text(3), "zarupfall.wav");
    EXPECT_EQ(settings.Check(1), 0);
    EXPECT_EQ(settings.Text(2), "gone.wav");
  }};
  session.run();
  EXPECT_EQ(messages.titles, std::vector<std::string>{"zarup受け止め成功効果音ファイルに関して"});
}

TEST_F(SoundInPlay, ASettingsFileThatCannotBeWrittenAtTheEndIsReportedAndTheProgramEnds) {
  game.writeIni(kInitialIni);
  pump.steps = {[&] { std::filesystem::remove_all(game.wave()); }};
  EXPECT_NO_THROW(session.run());
  EXPECT_EQ(messages.titles, std::vector<std::string>{kWaveIniWriteTitle});
  EXPECT_TRUE(front.closed);
}

class WithoutSoundSettings : public SoundInPlay {
 protected:
  WithoutSoundSettings() : SoundInPlay(false) {}
};

TEST_F(WithoutSoundSettings, NothingIsReadWrittenLoadedOrPlayed) {
  game.writeIni(kMusicOn);
  pump.steps = {[&] { session.startClicked(); }, [&] { session.rules().score = 3; }, nullptr};
  session.run();
  EXPECT_TRUE(messages.titles.empty());
  EXPECT_EQ(session.soundBuffers().musicBuffer, nullptr);
  EXPECT_EQ(session.soundBuffers().zarupOkBuffer, nullptr);
  EXPECT_EQ(game.readIni(), kMusicOn);
}

}  // namespace
}  // namespace kinopa
