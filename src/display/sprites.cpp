#include "display/sprites.h"

#include "core/errors.h"
#include "core/numeric.h"

namespace kinopa {

// Each copy leaves out the last column and row of its cell.

void zarup_draw(Surfaces& s, double x, double y, double c) {
  KINOPA_ROUTINE("draw_w.zarup_draw");
  const Rect cell{toI32(64 * c), 0, toI32(64 * c + 63), 54};
  s.backSurface->BltFast(toI32(x), toI32(y), *s.zarupSurface, cell,
                         DDBLTFAST_WAIT | DDBLTFAST_SRCCOLORKEY);
}

void melkit_draw(Surfaces& s, double x, double y, double c) {
  KINOPA_ROUTINE("draw_w.melkit_draw");
  const int32_t column = modI32(toI32(c), 5);
  const double row = floorOf(c / 5);
  const Rect cell{toI32(100.0 * column), toI32(40 * row), toI32(100.0 * column + 99),
                  toI32(40 * row + 39)};
  s.backSurface->BltFast(toI32(x), toI32(y), *s.melkitSurface, cell,
                         DDBLTFAST_WAIT | DDBLTFAST_SRCCOLORKEY);
}

void tovrin_draw(Surfaces& s, double x, double c) {
  KINOPA_ROUTINE("draw_w.tovrin_draw");
  const Rect cell{toI32(84 * c), 0, toI32(84 * c + 83), 59};
  s.backSurface->BltFast(toI32(x), 500, *s.tovrinSurface, cell,
                         DDBLTFAST_WAIT | DDBLTFAST_SRCCOLORKEY);
}

}  // namespace kinopa
