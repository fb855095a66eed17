#pragma once
// Hall games played for the tests and the benchmark: a play session with no
// window, its clock 8 ms a frame, the pointer after the zarup, recorded as
// the page records a game it sends to the hall.
#include <cstdint>
#include <string>

namespace kinopa::testing_support {

struct HallPlay {
  // Frames of an ordinary game before the hall game, missing the melkit,
  // so that the run has something to carry over.
  int framesBefore = 400;
  // Press Start again (Pause) after this many frames of the hall game; 0
  // plays it to the end.
  int pauseAfter = 0;
};

// The hall game's recording (Recorder::gameText) for `seed`. The program's
// folder must be the build's (its pictures).
std::string playHallGame(uint64_t seed, const HallPlay& how = {});

}  // namespace kinopa::testing_support
