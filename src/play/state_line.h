#pragma once
// The game's state after a frame, as replays print it and recordings end
// with it: "frame N: tick=... labels=...". Plain values, so taking a copy
// allocates nothing.
#include <array>
#include <cstdint>
#include <string>

#include "game/objects.h"

namespace kinopa {

struct StateSnapshot {
  double frameTick = 0, remainingTime = 0;
  int32_t score = 0, scoreRate = 0, highScore = 0;
  int16_t paused = 0, zarupCaught = 0, melkitHover = 0;
  int16_t tovrinX = 0, mouseX = 0, mouseY = 0;
  Objects objects;
  std::array<int16_t, kPopupSlots> popupActive{}, popupX{}, popupY{};
  // What Label6, Label4, Label5, Label8 and the start button show.
  std::string label6, label4, label5, label8, gamestart;
};

// A number as the state line and recordings write it: 17 significant
// digits, which read back as the very same double.
std::string exactText(double v);
// The same into `out` (25 characters are enough), allocating nothing.
const char* exactText(double v, char* out, std::size_t size);

// The state line without its line end.
std::string stateLine(const StateSnapshot& s, int frameNumber);

}  // namespace kinopa
