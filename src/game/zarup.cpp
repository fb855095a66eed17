// The zarup: a ball in a box under a constant pull. The tovrin throws it
// back up; reaching the bottom costs play time and the rate.
#include "game/game.h"
#include "core/errors.h"
#include "core/numeric.h"

namespace kinopa {

void Game::zarup(int16_t reset, double elapsed) {
  KINOPA_ROUTINE("draw_w.zarup");
  Objects& o = objects;
  // The step keeps this value for the whole call, whatever the rate does.
  const double step = (static_cast<double>(scoreRate) * 0.01 + 0.1) * elapsed;

  if (reset != 0) {
    o.zarupX = floorOf(random_.Rnd() * (board_.fieldWidth() - zarupW));
    o.zarupY = 0;
    o.zarupFrame = 0;
    o.zarupVX = 1.0;
    o.zarupVY = 0.0;
    return;
  }

  // Sideways, bouncing off the walls.
  o.zarupX += step * o.zarupVX;
  if (singleGreater(o.zarupX, board_.fieldWidth() - zarupW)) bounce(o.zarupX, o.zarupVX, step);
  if (o.zarupX < 0) bounce(o.zarupX, o.zarupVX, step);

  o.zarupY += step * o.zarupVY;

  // The bottom of the field: it bounces, but the time is cut, the rate falls
  // back to 1 and a popup shows where it fell.
  if (singleGreater(o.zarupY, board_.fieldHeight() - zarupH)) {
    bounce(o.zarupY, o.zarupVY, step);
    remainingTime =
        floorOf(static_cast<double>(subI32(90, scoreRate)) * remainingTime * 0.01);
    if (scoreRate > 1) scoreRate = 1;
    startPopup(static_cast<long>(floorOf(random_.Rnd() * 4)), o.zarupX, o.zarupY);
    sounds_.restart(Sound::zarupFall);
  }

  // The catch: the zarup crossed the catch line in this very move, with its
  // middle over the tovrin (widened by a sixth of the zarup on each side).
  const int line = board_.fieldHeight() - 60 - zarupH;
  const bool crossed =
      singleGreater(o.zarupY, line) && singleLess(o.zarupY - step * o.zarupVY, line);
  if (crossed &&
      tovrinX - o.zarupX < static_cast<double>(mulI16(2, zarupW)) / 3 &&
      o.zarupX - tovrinX < tovrinW - zarupW / 3.0) {
    bounce(o.zarupY, o.zarupVY, step);
    zarupCaught = kSet;
    score = addI32(score, scoreRate);
    sounds_.restart(Sound::zarupOk);
  }

  // The top edge.
  if (o.zarupY < 0) bounce(o.zarupY, o.zarupVY, step);

  o.zarupVY += step * 0.1;

  // Risen above the clear line: the tovrin leaves its catching pose.
  if (singleLess(o.zarupY, board_.fieldHeight() - 130 - zarupH)) zarupCaught = kClear;

  // A new cell every 100 ms of the clock, four to a round. The remainder is
  // taken non-negative, so a negative tick count still gives cells 0 to 3.
  int32_t phase = modI32(toI32(frameTick), 400);
  if (phase < 0) phase += 400;
  o.zarupFrame = floorOf(phase / 100.0);

  frame_.zarup_draw(o.zarupX, o.zarupY, o.zarupFrame);
}

}  // namespace kinopa
