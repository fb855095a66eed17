#pragma once
// The main loop's passes, as the game, its replays and its recordings all run
// them: the rules of a pass are written here once.
#include "game/game.h"

namespace kinopa {

// What a pass does around the rules, as the program running them needs; each
// does nothing unless a program asks for more.
class PassHooks {
 public:
  virtual ~PassHooks() = default;
  // Each pass, before its step: the music plays while a game runs.
  virtual void music(bool gameRuns) { (void)gameRuns; }
  // The idle pass has taken the clock.
  virtual void idled() {}
  // Right after a frame's step, before the window system's turn.
  virtual void framed() {}
  // The window system's turn, between a frame and the highest-score rule.
  virtual void yieldAfterFrame() {}
  // A game's frames are over: its time ran out, or Pause or the end button
  // stopped it.
  virtual void gameEnded() {}
};

class LoopPasses {
 public:
  LoopPasses(Game& g, PassHooks& hooks) : g_(g), hooks_(hooks) {}

  // No game runs: a game whose frames are over is handed on, and the clock is
  // taken, so that the next game's first frame measures only from here.
  void idle();
  // A game runs: the music, one frame step, the window system's turn, then
  // the highest-score rule. A game that this pass ended is handed on.
  void running();
  // One pass, the kind the game's state asks for.
  void pass();

 private:
  void handOn();

  Game& g_;
  PassHooks& hooks_;
  bool framesRan_ = false;
};

}  // namespace kinopa
