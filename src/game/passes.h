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
  // A click on Start is about to begin a game (the game before it handed
  // on), and then the rules have taken the click: `began` a game began, or
  // else Pause stopped the running one.
  virtual void gameBeginning() {}
  virtual void startTaken(bool began) { (void)began; }
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
  // A click on the start button, between two passes, as the player's click
  // and a script's `start` alike take it. When it begins a game, a game that
  // ended in this very turn of the window system (its time ran out in the
  // frame before, or Pause came first) has its highest score raised and is
  // handed on first, before the new game clears what it left.
  void start();
  // The window system's turn is over and no pass follows it (the window
  // system is gone): the frame before it is finished, and a game that is
  // over is handed on, as the next pass or a Start would.
  void endTurn();
  // Whether a frame ran since the last idle pass: the main loop then runs an
  // idle pass before it sleeps, so the window is in order while it waits.
  bool framesRanSinceIdle() const { return framesSinceIdle_; }

 private:
  // After a frame and the window system's turn: the highest-score rule, and
  // a game that is over is handed on. Once for each frame.
  void finishFrame();
  void handOn();

  Game& g_;
  PassHooks& hooks_;
  bool gameToHandOn_ = false;   // frames ran, and the game is not handed on yet
  bool framesSinceIdle_ = false;
  bool afterFrame_ = false;     // a frame ran; finishFrame has not
};

}  // namespace kinopa
