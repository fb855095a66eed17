// The melkit: drifts to and fro across the upper field, slowing towards the
// walls, and swings up and down about its mid line. A release over its inner
// box raises the rate (see mouse.cpp).
#include <cmath>

#include "game/game.h"
#include "core/errors.h"
#include "core/numeric.h"

namespace kinopa {
namespace {

// The distance bands from the middle of the travel, as fractions of its half
// range: each shows its own cell and has its own speed.
struct Band {
  double above, upTo;  // above * c < d <= upTo * c
  int cell;
  double speed;
};
constexpr Band kOuterBands[] = {
    {0.65, 0.75, 1, 0.95},
    {0.75, 0.85, 2, 0.8},
    {0.85, 0.95, 3, 0.7},
};

}  // namespace

void Game::melkit(int16_t reset, double elapsed) {
  KINOPA_ROUTINE("draw_w.melkit");
  Objects& o = objects;
  const double step = (static_cast<double>(scoreRate) * 0.002 + 0.01) * elapsed;
  // The middle of the travel, and also its half range.
  const double c = (board_.fieldWidth() - melkitW) / 2.0;

  if (reset != 0) {
    o.melkitX = floorOf(random_.Rnd() * (board_.fieldWidth() - melkitW));
    o.melkitY = 0;
    o.melkitVX = 10.0;
    o.melkitVY = 0.0;
    o.melkitFacingRight = kSet;
    o.melkitSpeedFactor = 1.0;
    return;
  }

  o.melkitFrame = 0;

  // Sideways at the speed of the band it was in. The walls take back the
  // move without the band's factor.
  o.melkitX += step * o.melkitVX * o.melkitSpeedFactor;
  if (singleGreater(o.melkitX, board_.fieldWidth() - melkitW)) {
    bounce(o.melkitX, o.melkitVX, step);
    o.melkitFacingRight = kClear;
  }
  if (o.melkitX < 0) {
    bounce(o.melkitX, o.melkitVX, step);
    o.melkitFacingRight = kSet;
  }

  // The band. Exactly on 0.65 c no band holds: the cell stays 0 and the
  // speed stays what it was.
  const double d = std::fabs(c - o.melkitX);
  if (d < 0.65 * c) {
    o.melkitSpeedFactor = 1.0;
  }
  for (const Band& band : kOuterBands) {
    if (band.above * c < d && d <= band.upTo * c) {
      o.melkitFrame += band.cell;
      o.melkitSpeedFactor = band.speed;
    }
  }
  if (d > 0.95 * c) {
    o.melkitFrame += 4;
    o.melkitSpeedFactor = 0.6;
  }
  // Moving left shows the mirrored cells.
  if (o.melkitFacingRight == kClear) o.melkitFrame = 9 - o.melkitFrame;

  // Up and down between the top edge and the floor line, pulled towards the
  // mid line.
  const int floorLine = board_.fieldHeight() - melkitH - 130;
  o.melkitY += step * o.melkitVY;
  if (singleGreater(o.melkitY, floorLine)) bounce(o.melkitY, o.melkitVY, step);
  if (o.melkitY < 0) bounce(o.melkitY, o.melkitVY, step);
  if (singleLess(o.melkitY, floorLine / 2.0)) {
    o.melkitVY += step * 0.1;
  } else {
    o.melkitVY -= step * 0.1;
  }

  frame_.melkit_draw(o.melkitX, o.melkitY, o.melkitFrame);

  // Whether the pointer, where it was last seen, lies inside the inner box.
  const bool inside = o.melkitX + 0.2 * melkitW < mouseX && mouseX < o.melkitX + 0.8 * melkitW &&
                      o.melkitY + 0.2 * melkitH < mouseY && mouseY < o.melkitY + 0.8 * melkitH;
  melkitHover = inside ? kSet : kClear;
}

}  // namespace kinopa
