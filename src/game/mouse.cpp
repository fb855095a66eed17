// The mouse over the play field: the pointer steers the tovrin, a released
// button is a click at the melkit.
#include "game/game.h"
#include "core/errors.h"
#include "core/numeric.h"

namespace kinopa {

void Game::Picture1_MouseMove(int, int, float x, float y) {
  KINOPA_ROUTINE("draw_w.Picture1_MouseMove");
  // The pointer stands at the tovrin's middle; the tovrin stays on the field.
  tovrinX = toI16(static_cast<double>(x) - tovrinW / 2.0);
  if (tovrinX < 0) tovrinX = 0;
  const int fieldWidth = board_.fieldWidth();
  if (static_cast<float>(static_cast<int32_t>(tovrinW) + tovrinX) >=
      static_cast<float>(fieldWidth)) {
    tovrinX = toI16(fieldWidth - tovrinW);
  }
  mouseX = toI16(x);
  mouseY = toI16(y);
}

void Game::Picture1_MouseUp(int, int, float x, float y) {
  KINOPA_ROUTINE("draw_w.Picture1_MouseUp");
  if (paused != 0) return;

  // Hit or miss as the melkit was when last drawn.
  if (melkitHover != 0) {
    scoreRate = addI32(scoreRate, 1);
    sounds_.restart(Sound::melkitOk);
    return;
  }

  // Every third miss, counted over the whole run, costs a point of rate.
  Objects& o = objects;
  o.misclickCount = addI16(o.misclickCount, 1);
  startPopup(o.misclickCount + 3, x, y);
  if (o.misclickCount >= 3) scoreRate = subI32(scoreRate, 1);
  o.misclickCount = static_cast<int16_t>(o.misclickCount % 3);
  sounds_.restart(Sound::melkitMiss);
}

}  // namespace kinopa
