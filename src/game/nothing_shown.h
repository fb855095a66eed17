#pragma once
// The rules' ports with nothing behind them, for running the rules alone
// (finding a recording's last game, benchmarks): a play field of the
// window's size, controls that keep nothing, frames drawn nowhere, sounds
// never heard.
#include "game/ports.h"

namespace kinopa {

class NothingShown : public Board, public FrameDrawing, public SoundCues {
 public:
  int fieldWidth() override { return kFieldWidth; }
  int fieldHeight() override { return kFieldHeight; }
  void setCaption(Control, const std::string&) override {}
  void setEnabled(Control, bool) override {}
  bool isEnabled(Control) override { return false; }
  void surfinit() override {}
  void textdraw() override {}
  void zarup_draw(double, double, double) override {}
  void melkit_draw(double, double, double) override {}
  void tovrin_draw(double, double) override {}
  void DrawRoundedBox(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t) override {}
  void surfflip() override {}
  void waveiniread() override {}
  void loadwavex() override {}
  void halt(Sound) override {}
  void restart(Sound) override {}
};

}  // namespace kinopa
