#pragma once
// The record of the game's objects: the popups' pictures and ages, the zarup,
// the melkit, the tovrin's pose and the miss count. It is created zeroed with
// the main window and lives as long as it; only preparing a game puts the
// zarup and the melkit back in place.
#include <array>
#include <cstdint>

#include "core/media_types.h"

namespace kinopa {

constexpr int kPopupSlots = 7;

struct Objects {
  // Popups: the cell of "text.bmp" each slot shows, and the frames each has
  // been running.
  std::array<Rect, kPopupSlots> popupRect{};
  std::array<int16_t, kPopupSlots> popupAge{};

  // The zarup: top-left corner, animation cell 0 to 3, velocity factors.
  double zarupX = 0, zarupY = 0;
  double zarupFrame = 0;
  double zarupVX = 0, zarupVY = 0;

  // The melkit: top-left corner, animation cell 0 to 9, velocity factors,
  // its heading (a flag) and the speed factor of its distance band.
  double melkitX = 0, melkitY = 0;
  double melkitFrame = 0;
  double melkitVX = 0, melkitVY = 0;
  int16_t melkitFacingRight = 0;
  double melkitSpeedFactor = 0;

  // The tovrin: animation cell 0 to 3 and where the last frame saw it.
  int16_t tovrinFrame = 0;
  int16_t tovrinPrevX = 0;

  // Clicks that missed the melkit, modulo 3, over the whole run.
  int16_t misclickCount = 0;
};

}  // namespace kinopa
