// The tovrin: the catcher at the bottom of the field. It turns with the
// mouse, throws its wings up while a caught zarup rises, and stands on a
// flat line of its own.
#include "game/game.h"
#include "core/errors.h"
#include "core/numeric.h"

namespace kinopa {

void Game::Tovrin() {
  KINOPA_ROUTINE("draw_w.Tovrin");
  Objects& o = objects;
  // Cell 0 faces left, 2 right; standing still keeps the last direction.
  if (tovrinX < o.tovrinPrevX) o.tovrinFrame = 0;
  if (tovrinX > o.tovrinPrevX) o.tovrinFrame = 2;
  if (zarupCaught != 0) o.tovrinFrame = addI16(o.tovrinFrame, 1);

  // The line it stands on: centred on its left edge, at y = 550.
  const int32_t x1 = toI32(tovrinX - tovrinW / 2.0);
  const int32_t x2 = toI32(tovrinW / 2.0 + tovrinX);
  frame_.DrawRoundedBox(x1, 550, x2, 550, 10, 10);
  frame_.tovrin_draw(tovrinX, o.tovrinFrame);

  // The next frame starts from the direction cell alone.
  o.tovrinFrame = subI16(o.tovrinFrame, static_cast<int16_t>(o.tovrinFrame % 2));
  o.tovrinPrevX = tovrinX;
}

}  // namespace kinopa
