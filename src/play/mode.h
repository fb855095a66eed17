#pragma once
// What kind of run a play session is: played, scripted or watched.

namespace kinopa {

// What differs between playing, replaying and watching, chosen once when the
// main window is built.
enum class Mode {
  // The player's game: wave.ini read and written, the sounds loaded and
  // played, the pointer and the buttons live.
  play,
  // A script plays the rules (kinopa-replay, the tests): no wave.ini, no
  // sound; the highest score is the one the script gives.
  script,
  // A recording plays: wave.ini read and the sounds loaded once at start-up,
  // never written; the pointer and the game and settings buttons do
  // nothing; frames stay off the screen until the last game.
  watch,
};

}  // namespace kinopa
