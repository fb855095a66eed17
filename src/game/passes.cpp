#include "game/passes.h"

namespace kinopa {

void LoopPasses::handOn() {
  if (!framesRan_) return;
  framesRan_ = false;
  hooks_.gameEnded();
}

void LoopPasses::idle() {
  handOn();  // stopped between passes (a replay's click on Pause)
  g_.prevTick = g_.tick().GetTickCount();
  hooks_.idled();
  hooks_.music(false);
}

void LoopPasses::running() {
  hooks_.music(true);
  g_.game();
  hooks_.framed();
  hooks_.yieldAfterFrame();
  g_.raiseHighScore();
  framesRan_ = true;
  if (g_.paused != kClear) handOn();
}

void LoopPasses::pass() {
  if (g_.paused == kClear) {
    running();
  } else {
    idle();
  }
}

}  // namespace kinopa
