#include "app/state_line.h"

#include <cstdio>

namespace kinopa {
namespace {

std::string g17(double v) {
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.17g", v);
  return buf;
}

std::string n(int v) { return std::to_string(v); }

}  // namespace

std::string stateLine(const StateSnapshot& s, int frameNumber) {
  const Objects& o = s.objects;
  std::string line = "frame " + n(frameNumber) + ": tick=" + g17(s.frameTick) +
                     " rem=" + g17(s.remainingTime) + " score=" + n(s.score) +
                     " rate=" + n(s.scoreRate) + " high=" + n(s.highScore) +
                     " paused=" + n(s.paused);
  line += " zarup=" + g17(o.zarupX) + "," + g17(o.zarupY) + "," + g17(o.zarupVX) + "," +
          g17(o.zarupVY) + "," + g17(o.zarupFrame);
  line += " caught=" + n(s.zarupCaught);
  line += " melkit=" + g17(o.melkitX) + "," + g17(o.melkitY) + "," + g17(o.melkitVX) + "," +
          g17(o.melkitVY) + "," + g17(o.melkitFrame) + "," + n(o.melkitFacingRight) + "," +
          g17(o.melkitSpeedFactor);
  line += " hover=" + n(s.melkitHover);
  line += " tovrin=" + n(s.tovrinX) + "," + n(o.tovrinFrame) + "," + n(o.tovrinPrevX);
  line += " mouse=" + n(s.mouseX) + "," + n(s.mouseY);
  line += " misses=" + n(o.misclickCount);
  line += " popups=";
  for (int i = 0; i < kPopupSlots; ++i) {
    if (i > 0) line += ";";
    line += n(s.popupActive[i]) + "," + n(s.popupX[i]) + "," + n(s.popupY[i]) + "," +
            n(o.popupAge[i]);
  }
  line += " labels=" + s.label6 + "|" + s.label4 + "|" +
          s.label5 + "|" + s.label8 + "|" +
          s.gamestart;
  return line;
}

}  // namespace kinopa
