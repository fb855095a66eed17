#include "play/state_line.h"

#include <cstdio>

namespace kinopa {
namespace {

std::string n(int v) { return std::to_string(v); }

}  // namespace

const char* exactText(double v, char* out, std::size_t size) {
  std::snprintf(out, size, "%.17g", v);
  return out;
}

std::string exactText(double v) {
  char buf[40];
  return exactText(v, buf, sizeof buf);
}

std::string stateLine(const StateSnapshot& s, int frameNumber) {
  const Objects& o = s.objects;
  std::string line = "frame " + n(frameNumber) + ": tick=" + exactText(s.frameTick) +
                     " rem=" + exactText(s.remainingTime) + " score=" + n(s.score) +
                     " rate=" + n(s.scoreRate) + " high=" + n(s.highScore) +
                     " paused=" + n(s.paused);
  line += " zarup=" + exactText(o.zarupX) + "," + exactText(o.zarupY) + "," + exactText(o.zarupVX) + "," +
          exactText(o.zarupVY) + "," + exactText(o.zarupFrame);
  line += " caught=" + n(s.zarupCaught);
  line += " melkit=" + exactText(o.melkitX) + "," + exactText(o.melkitY) + "," + exactText(o.melkitVX) + "," +
          exactText(o.melkitVY) + "," + exactText(o.melkitFrame) + "," + n(o.melkitFacingRight) + "," +
          exactText(o.melkitSpeedFactor);
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
