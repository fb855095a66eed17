#pragma once
// The rules' frame drawing, on the window's surfaces: the back surface is
// drawn on and presented in the play field, unless the window shows no
// frames (a recording's fast-forward).
#include <cstdint>

#include "display/surfaces.h"
#include "game/game.h"
#include "game/ports.h"

namespace kinopa {

class SurfaceDrawing : public FrameDrawing {
 public:
  // `g` holds the popup table; `hidden` says whether frames are kept off the
  // screen. Both are read at each call.
  SurfaceDrawing(Surfaces& surfaces, Game& g, const bool& hidden)
      : surfaces_(surfaces), g_(g), hidden_(hidden) {}

  void surfinit() override;
  void textdraw() override;
  void zarup_draw(double x, double y, double c) override;
  void melkit_draw(double x, double y, double c) override;
  void tovrin_draw(double x, double c) override;
  void DrawRoundedBox(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t rw,
                      int32_t rh) override;
  void surfflip() override;

 private:
  Surfaces& surfaces_;
  Game& g_;
  const bool& hidden_;
};

}  // namespace kinopa
