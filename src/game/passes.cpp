#include "game/passes.h"

namespace kinopa {

void LoopPasses::handOn() {
  if (!gameToHandOn_) return;
  gameToHandOn_ = false;
  hooks_.gameEnded();
}

void LoopPasses::idle() {
  handOn();  // stopped between passes (a replay's click on Pause)
  framesSinceIdle_ = false;
  g_.prevTick = g_.tick().GetTickCount();
  hooks_.idled();
  hooks_.music(false);
}

void LoopPasses::running() {
  hooks_.music(true);
  g_.game();
  gameToHandOn_ = true;
  framesSinceIdle_ = true;
  afterFrame_ = true;
  hooks_.framed();
  hooks_.yieldAfterFrame();
  finishFrame();
}

void LoopPasses::finishFrame() {
  if (!afterFrame_) return;
  afterFrame_ = false;
  g_.raiseHighScore();
  if (g_.paused != kClear) handOn();
}

void LoopPasses::endTurn() {
  finishFrame();
  handOn();
}

void LoopPasses::start() {
  const bool starting = g_.paused == kSet;
  if (starting) {
    endTurn();
    hooks_.gameBeginning();
  }
  g_.gamestart_Click();
  hooks_.startTaken(starting && g_.paused == kClear);
}

void LoopPasses::pass() {
  if (g_.paused == kClear) {
    running();
  } else {
    idle();
  }
}

}  // namespace kinopa
