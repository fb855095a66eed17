#pragma once
// The popups: short pictures from "text.bmp" that rise from where a zarup
// fell or a click missed, one pixel a frame, for at most 119 frames.
#include <array>
#include <cstdint>

#include "display/surfaces.h"
#include "game/objects.h"

namespace kinopa {

// The game's popup table and the state kept for drawing it.
// Only -1 in popupActive counts as running.
struct PopupTable {
  std::array<int16_t, kPopupSlots>& popupActive;
  const std::array<int16_t, kPopupSlots>& popupX;
  const std::array<int16_t, kPopupSlots>& popupY;
  std::array<int16_t, kPopupSlots>& popupAge;
  std::array<Rect, kPopupSlots>& popupRect;
};

// Draws every running popup one frame older, and ends those that have run
// their course. A slot's age goes back to 0 only in a call that finds it not
// running.
void textdraw(Surfaces& s, const PopupTable& t);

}  // namespace kinopa
