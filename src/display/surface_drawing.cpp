#include "display/surface_drawing.h"

#include "display/popups.h"
#include "display/sprites.h"

namespace kinopa {

void SurfaceDrawing::surfinit() { surfaces_.surfinit(); }

void SurfaceDrawing::textdraw() {
  kinopa::textdraw(surfaces_, PopupTable{g_.popupActive, g_.popupX, g_.popupY,
                                         g_.objects.popupAge, g_.objects.popupRect});
}

void SurfaceDrawing::zarup_draw(double x, double y, double c) {
  kinopa::zarup_draw(surfaces_, x, y, c);
}

void SurfaceDrawing::melkit_draw(double x, double y, double c) {
  kinopa::melkit_draw(surfaces_, x, y, c);
}

void SurfaceDrawing::tovrin_draw(double x, double c) { kinopa::tovrin_draw(surfaces_, x, c); }

void SurfaceDrawing::DrawRoundedBox(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t rw,
                                    int32_t rh) {
  surfaces_.backSurface->DrawRoundedBox(x1, y1, x2, y2, rw, rh);
}

void SurfaceDrawing::surfflip() {
  if (!hidden_) surfaces_.surfflip();
}

}  // namespace kinopa
