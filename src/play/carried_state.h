#pragma once
// What outlasts a game: the part of the state that the next Start leaves as
// it is and the rules go on to read. A recording of one game begins with it
// as its `state` line, in place of the run before that game:
//
//   state high=H tick=F,P tovrin=X,C,PX mouse=X,Y hover=V caught=V melkit=M
//         misses=N ages=A0,A1,A2,A3,A4,A5,A6
//
// (one line). H the highest score; F and P the frame's and the idle pass's
// tick readings; X the tovrin's left edge, C its direction cell (0 or 2), PX
// where the last frame saw it; the pointer; the melkit-hover and caught
// flags (0 or -1); M the melkit's cell (0 to 9); N the misses modulo 3; the
// popups' ages (0 to 120). Every value is a whole number.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "game/objects.h"

namespace kinopa {

class Game;

struct CarriedState {
  int32_t highScore = 0;
  double frameTick = 0, prevTick = 0;
  int16_t tovrinX = 0, tovrinFrame = 0, tovrinPrevX = 0;
  int16_t mouseX = 0, mouseY = 0;
  int16_t melkitHover = 0, zarupCaught = 0;
  double melkitFrame = 0;
  int16_t misclickCount = 0;
  std::array<int16_t, kPopupSlots> popupAge{};
};

// The words of a `state` line after its name, checked: each a key, "=" and
// its values, as above, every value in its range. Returns the values in the
// order the line gives them; a line that is not so returns none and says
// why in `why`.
std::vector<double> parseCarriedState(const std::vector<std::string>& words, std::string& why);
CarriedState carriedFromValues(const std::vector<double>& values);

CarriedState carriedFrom(const Game& g);
void carryInto(const CarriedState& s, Game& g);
// The `state` line, without its line end. Values read back exactly.
std::string stateCommand(const CarriedState& s);

}  // namespace kinopa
