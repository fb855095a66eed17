#pragma once
// The state of a game and its control: score, rate, play time, the play
// flags and frame timing, the objects and the popup table, and the
// operations that drive a game. Each object's rules live in a file of its
// own (zarup.cpp, melkit.cpp, tovrin.cpp, mouse.cpp).
#include <array>
#include <cstdint>

#include "game/objects.h"
#include "game/ports.h"
#include "core/random.h"
#include "core/tick.h"

namespace kinopa {

// Flags hold -1 when set and 0 when clear.
constexpr int16_t kSet = -1;
constexpr int16_t kClear = 0;

// The tovrin's width, and the left edges the pointer can give it: from 0 to
// the field's width less its own, where it stands wholly on the field.
constexpr int16_t kTovrinWidth = 84;
constexpr int16_t kTovrinLeftMost = 0;
constexpr int16_t kTovrinRightMost = kFieldWidth - kTovrinWidth;

// A frame that comes more than this many milliseconds after the one before
// is dropped: its time is charged, and nothing moves or is drawn.
constexpr double kDropAfterMs = 10;

// A bounce along one axis: the move of step * velocity is taken back and the
// velocity turns.
inline void bounce(double& position, double& velocity, double step) {
  position -= step * velocity;
  velocity = -velocity;
}

class Game {
 public:
  Game(Board& board, FrameDrawing& frame, SoundCues& sounds, TickCounter& tick,
       RandomSource& random);

  // Start-up's fixed numbers: the sprites' cell sizes, the length of a game,
  // no quit asked, score 0, highest score 0, rate 1.
  void setFixedNumbers();
  // Prepares a new game: objects placed, full time, score 0, rate 1, popups
  // cleared, settings read and sounds loaded, labels written.
  void gameinit();
  // The per-frame step: charges the elapsed time, then draws one frame when
  // the interval was at most 10 ms, or ends the game when time is up.
  void game();
  void gamestart_Click();
  void gameend_Click();
  // After each frame and the yield that follows it: a score above the
  // highest score becomes the highest score.
  void raiseHighScore();
  // The rule itself, for any copy of the state: whether `score` beat
  // `highScore`, which then takes its value.
  static bool raisesHighScore(int32_t score, int32_t& highScore);

  // The objects: with `reset` set they are placed for a new game and not
  // drawn; otherwise they move by `elapsed` milliseconds and are drawn.
  void zarup(int16_t reset, double elapsed);
  void melkit(int16_t reset, double elapsed);
  void Tovrin();

  // The mouse over the play field, in field pixels. Neither looks at the
  // button or the keys.
  void Picture1_MouseMove(int button, int shift, float x, float y);
  void Picture1_MouseUp(int button, int shift, float x, float y);

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

  // The tovrin's left edge and the last pointer position over the field.
  int16_t tovrinX = 0;
  int16_t mouseX = 0, mouseY = 0;
  // The pointer lay inside the melkit's inner box when it was last drawn.
  int16_t melkitHover = kClear;
  // Set by a catch until the zarup has risen high again.
  int16_t zarupCaught = kClear;

  // The popup table: slots 0 to 3 for falls, 4 to 6 for missed clicks.
  std::array<int16_t, kPopupSlots> popupActive{};
  std::array<int16_t, kPopupSlots> popupX{};
  std::array<int16_t, kPopupSlots> popupY{};

  Objects objects;

  TickCounter& tick() { return tick_; }

 private:
  // Starts popup slot k at (x, y).
  void startPopup(long k, double x, double y);

  Board& board_;
  FrameDrawing& frame_;
  SoundCues& sounds_;
  TickCounter& tick_;
  RandomSource& random_;
};

}  // namespace kinopa
