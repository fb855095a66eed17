// When the sounds play: each rule with its off box clear and ticked, with and
// without a buffer.
#include <gtest/gtest.h>

#include "sound/playback.h"
#include "sound_support.h"
#include "sdl/sdl_sound.h"

namespace kinopa {
namespace {

using namespace testing_support;

class Playback : public testing::Test {
 protected:
  Playback() {
    const char* files[] = {"music.wav", "zarupok.wav", "zarupfall.wav", "melkitok.wav",
                           "melkitmiss.wav"};
    for (int row = 1; row <= 5; ++row)
      buffers.ofRow(row) =
          ds.CreateSoundBufferFromFile(std::string(KINOPA_WAVE_DIR) + "/" + files[row - 1]);
    controls.checks = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  }
  // Plays `row` from a point well into the sound, as if heard for a while.
  int64_t playFromInside(int row) {
    buffers.ofRow(row)->SetCurrentPosition(8000);
    buffers.ofRow(row)->Play(0);
    return buffers.ofRow(row)->framePosition();
  }

  SdlSound ds;
  SoundBuffers buffers;
  SettingsValues controls;
};

TEST_F(Playback, AnEffectRestartsFromItsBeginningCuttingItselfOff) {
  for (int row = 2; row <= 5; ++row) {
    const int64_t inside = playFromInside(row);
    ASSERT_GT(inside, 1000);
    restart(controls, buffers, row);
    SoundBuffer& b = *buffers.ofRow(row);
    EXPECT_TRUE(b.isPlaying()) << row;
    EXPECT_FALSE(b.isLooping()) << row;
    EXPECT_LT(b.framePosition(), inside) << row;
  }
}

TEST_F(Playback, MusicLoopsKeepsItsPlaceAndHaltsRewound) {
  playMusic(controls, buffers);
  SoundBuffer& music = *buffers.musicBuffer;
  EXPECT_TRUE(music.isPlaying());
  EXPECT_TRUE(music.isLooping());
  music.SetCurrentPosition(8000);
  const int64_t inside = music.framePosition();
  playMusic(controls, buffers);  // the next pass: it plays on where it is
  EXPECT_GE(music.framePosition(), inside);
  halt(controls, buffers, 1);
  EXPECT_FALSE(music.isPlaying());
  EXPECT_EQ(music.framePosition(), 0);
}

TEST_F(Playback, MusicPlayingWhileSwitchedOffIsHaltedOnTheNextPass) {
  // The off box's value, and whether the music then plays on where it was
  // (else it is silent, at its start).
  const std::pair<int16_t, bool> cases[] = {{1, false}, {2, false}, {0, true}};
  SoundBuffer& music = *buffers.musicBuffer;
  for (const auto& [off, playsOn] : cases) {
    music.SetCurrentPosition(8000);
    music.Play(DSBPLAY_LOOPING);
    const int64_t inside = music.framePosition();
    controls.setCheck(6, off);
    haltMusicSwitchedOff(controls, buffers);
    EXPECT_EQ(music.isPlaying(), playsOn) << "off " << off;
    EXPECT_EQ(music.framePosition() >= inside, playsOn) << "off " << off;
  }
  buffers.musicBuffer = nullptr;
  EXPECT_NO_THROW(haltMusicSwitchedOff(controls, buffers));
}

TEST_F(Playback, ASoundSwitchedOffOrWithoutBufferIsLeftAlone) {
  const std::vector<std::pair<const char*, std::function<void(int)>>> rules = {
      {"play music", [&](int) { playMusic(controls, buffers); }},
      {"halt", [&](int row) { halt(controls, buffers, row); }},
      {"restart", [&](int row) { restart(controls, buffers, row); }}};
  for (const auto& [name, rule] : rules) {
    for (int row = 1; row <= 5; ++row) {
      if (std::string(name) == "play music" && row > 1) break;
      for (int16_t off : {1, 2}) {
        controls.checks.fill(0);
        controls.setCheck(row + 5, off);
        const int64_t inside = playFromInside(row);
        rule(row);
        SoundBuffer& b = *buffers.ofRow(row);
        EXPECT_TRUE(b.isPlaying()) << name << " row " << row << " off " << off;
        EXPECT_FALSE(b.isLooping()) << name << " row " << row;
        EXPECT_GE(b.framePosition(), inside) << name << " row " << row;
        b.Stop();
      }
      // No buffer: nothing to play, stop or rewind, and nothing fails.
      controls.checks.fill(0);
      auto kept = buffers.ofRow(row);
      buffers.ofRow(row) = nullptr;
      EXPECT_NO_THROW(rule(row)) << name << " row " << row;
      buffers.ofRow(row) = kept;
    }
  }
}

}  // namespace
}  // namespace kinopa
