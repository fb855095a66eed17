#pragma once
// The rules as the page drives them until the play session is wired in: a
// Game on stand-in ports (captions kept, the sprites of the last frame
// listed, no sound), the loop's passes, a clock the page sets and a fixed
// list of random values. Plain C++: the browser build and the native check
// (tests/web) run this same file, and their state lines must agree to the
// last bit.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "game/game.h"
#include "game/passes.h"

namespace kinopa::web {

// One drawing call of a frame: a sprite cell at (x, y), the tovrin at x (its
// y is fixed by the rules), or the line it stands on from x to c.
struct SpriteDraw {
  enum Kind { zarup, melkit, tovrin, line } kind;
  double x = 0, y = 0, c = 0;
};

class CaptionBoard : public Board {
 public:
  int fieldWidth() override { return kFieldWidth; }
  int fieldHeight() override { return kFieldHeight; }
  void setCaption(Control control, const std::string& text) override { captions_[control] = text; }
  void setEnabled(Control control, bool enabled) override { enabled_[control] = enabled; }
  bool isEnabled(Control control) override { return enabled_[control]; }
  std::string caption(Control control) const;

 private:
  std::map<Control, std::string> captions_{{Control::gamestart, "Start"}};
  std::map<Control, bool> enabled_;
};

// Collects a frame's drawing calls; a frame counts as shown at surfflip.
class SpriteList : public FrameDrawing {
 public:
  void surfinit() override { drawing_.clear(); }
  void textdraw() override {}
  void zarup_draw(double x, double y, double c) override { drawing_.push_back({SpriteDraw::zarup, x, y, c}); }
  void melkit_draw(double x, double y, double c) override { drawing_.push_back({SpriteDraw::melkit, x, y, c}); }
  void tovrin_draw(double x, double c) override { drawing_.push_back({SpriteDraw::tovrin, x, 500, c}); }
  void DrawRoundedBox(int32_t x1, int32_t y1, int32_t x2, int32_t, int32_t, int32_t) override {
    drawing_.push_back({SpriteDraw::line, double(x1), double(y1), double(x2)});
  }
  void surfflip() override {
    shown_ = drawing_;
    ++flips_;
  }
  const std::vector<SpriteDraw>& shown() const { return shown_; }
  int flips() const { return flips_; }

 private:
  std::vector<SpriteDraw> drawing_, shown_;
  int flips_ = 0;
};

// No sound yet: the page's audio comes with the play session.
class SilentSounds : public SoundCues {
 public:
  void waveiniread() override {}
  void loadwavex() override {}
  void halt(Sound) override {}
  void restart(Sound) override {}
};

class PageClock : public TickCounter {
 public:
  int32_t now = 0;
  int32_t GetTickCount() override { return now; }
};

// The given values in turn, from the first again after the last.
class FixedRandom : public RandomSource {
 public:
  explicit FixedRandom(std::vector<double> values);
  double Rnd() override;

 private:
  std::vector<double> values_;
  std::size_t next_ = 0;
};

class WebSession {
 public:
  // The random values the session draws from, each in [0, 1).
  explicit WebSession(std::vector<double> randoms);

  // The start button: a game that has ended is handed on first, as the
  // window's click does.
  void pressStart();
  // The pointer over the play field, in field pixels.
  void pointerMove(float x, float y);
  void pointerUp(float x, float y);
  // One pass of the loop at game clock `tick` (milliseconds).
  void pass(int32_t tick);
  // The page's animation frame at `pageMs` milliseconds of page time: the
  // game clock catches up in passes at most kPassMs apart, as the rules
  // draw a frame only when at most 10 ms have passed since the last. After
  // a stall of more than kCatchUpMs (a hidden tab) it jumps instead: one
  // pass charges the whole gap, as a late frame does in the window.
  void animationFrame(double pageMs);
  static constexpr int32_t kPassMs = 10;
  static constexpr int32_t kCatchUpMs = 250;

  // The state line after the latest pass, numbered by passes run.
  std::string stateLine() const;
  std::string caption(Control control) const { return board_.caption(control); }
  const std::vector<SpriteDraw>& shownFrame() const { return frame_.shown(); }
  int framesShown() const { return frame_.flips(); }
  const Game& game() const { return game_; }

 private:
  CaptionBoard board_;
  SpriteList frame_;
  SilentSounds sounds_;
  PageClock clock_;
  FixedRandom random_;
  Game game_;
  PassHooks hooks_;
  LoopPasses passes_;
  int passesRun_ = 0;
  bool clockSet_ = false;
};

// The run the page makes at load and the native check repeats: start-up,
// Start, then `passes` passes 10 ms apart, the pointer moved over the field
// and released on it at fixed places along the way. One state line a pass.
std::vector<std::string> fixedRun(int passes);

}  // namespace kinopa::web
