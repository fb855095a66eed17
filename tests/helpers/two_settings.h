#pragma once
// Two different sound settings with their highest scores, and two different
// best-game recordings, for the process that saves them in turn and the test
// that kills it. Each pair differs throughout and in length, so a file cut
// short or mixed from both shows.
#include <array>
#include <cstdint>
#include <string>

#include "play/recorder.h"
#include "sound/settings_values.h"

namespace kinopa::testing_support {

inline SettingsValues oldSettings() {
  return {{"", "zarupok.wav", "zarupfall.wav", "melkitok.wav", "melkitmiss.wav"},
          {0, 0, 0, 0, 0, 1, 0, 0, 0, 0}};
}
constexpr int32_t kOldHighScore = 12;

inline SettingsValues newSettings() {
  return {{"/home/player/music/a long piece of music for the game.wav", "catch.wav",
           "fall of the zarup.wav", "whale.wav", "miss.wav"},
          {1, 0, 0, 0, 2, 0, 0, 1, 0, 1}};
}
constexpr int32_t kNewHighScore = 2147483647;

inline void recordOldGame(Recorder& r) {
  r.random(0.25);
  r.start();
}

// About 250 KB, so that saving it takes a while.
inline void recordNewGame(Recorder& r) {
  for (int32_t t = 1; t <= 20000; ++t) {
    r.tick(t);
    r.frame();
  }
}

}  // namespace kinopa::testing_support
