#pragma once
// The three sprites: one cell of a sheet copied onto the back surface, white
// left out. Positions and cells are made whole pixels by rounding, halves to
// even. A cell that would reach outside the back surface is not drawn at all.
#include "display/surfaces.h"

namespace kinopa {

// Cells 0 to 3 of 64 x 55 in one row.
void zarup_draw(Surfaces& s, double x, double y, double c);
// Cells 0 to 9 of 100 x 40, five to a row.
void melkit_draw(Surfaces& s, double x, double y, double c);
// Cells 0 to 3 of 84 x 60 in one row, drawn with the top at y = 500.
void tovrin_draw(Surfaces& s, double x, double c);

}  // namespace kinopa
