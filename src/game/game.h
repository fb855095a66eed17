#pragma once
// The state of a game and its control: score, rate, play time, the play
// flags and frame timing, and the four operations that drive a game.
#include <cstdint>

#include "game/ports.h"
#include "platform/random.h"
#include "platform/tick.h"

namespace kinopa {

// Flags hold -1 when set and 0 when clear.
constexpr int16_t kSet = -1;
constexpr int16_t kClear = 0;

class Game {
 public:
  Game(Board& board, FrameDrawing& frame, SoundCues& sounds, TickCounter& tick,
       RandomSource& random);

  // Prepares a new game: full time, score 0, rate 1, labels written.
  void gameinit();
  // The per-frame step: charges the elapsed time, then draws one frame when
  // the interval was at most 10 ms, or ends the game when time is up.
  void game();
  void gamestart_Click();
  void gameend_Click();
  // After each frame and the yield that follows it: a score above the
  // highest score becomes the highest score.
  void raiseHighScore();

  // Play flags.
  int16_t quitRequested = kClear;
  int16_t paused = kClear;

  // Score and time.
  int32_t score = 0;
  int32_t scoreRate = 0;
  int32_t highScore = 0;
  double gameLength = 0;
  double remainingTime = 0;

  // Frame timing (milliseconds of the tick counter).
  double frameTick = 0;
  double prevTick = 0;
  double frameElapsed = 0;

  // Cell sizes of the sprites, set at start-up.
  int16_t zarupW = 0, zarupH = 0;
  int16_t melkitW = 0, melkitH = 0;
  int16_t tovrinW = 0;

  TickCounter& tick() { return tick_; }

 private:
  Board& board_;
  FrameDrawing& frame_;
  SoundCues& sounds_;
  TickCounter& tick_;
  RandomSource& random_;
};

}  // namespace kinopa
