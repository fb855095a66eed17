#include "display/popups.h"

#include "core/errors.h"
#include "core/numeric.h"

namespace kinopa {
namespace {

// Cells of "text.bmp": three misses in the top band, four falls below. Every
// cell but slot 5's leaves out its last column and row.
constexpr std::array<Rect, kPopupSlots> kCells = {{
    {0, 30, 99, 59},
    {100, 30, 199, 59},
    {0, 60, 99, 89},
    {100, 60, 199, 89},
    {0, 0, 49, 29},
    {50, 0, 100, 29},
    {100, 0, 199, 29},
}};

}  // namespace

void textdraw(Surfaces& s, const PopupTable& t) {
  KINOPA_ROUTINE("draw_w.textdraw");
  t.popupRect = kCells;
  for (std::size_t i = 0; i < t.popupActive.size(); ++i) {
    if (t.popupActive[i] != -1) {
      t.popupAge[i] = 0;
      continue;
    }
    t.popupAge[i] = addI16(t.popupAge[i], 1);
    const int16_t top = subI16(t.popupY[i], t.popupAge[i]);
    if (top > 0 && t.popupAge[i] < 120) {
      s.backSurface->BltFast(t.popupX[i], top, *s.textSurface, t.popupRect[i],
                             DDBLTFAST_WAIT | DDBLTFAST_SRCCOLORKEY);
    } else {
      t.popupActive[i] = 0;
    }
  }
}

}  // namespace kinopa
