#include "web/web_session.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "app/state_line.h"
#include "platform/errors.h"

namespace kinopa::web {

std::string CaptionBoard::caption(Control control) const {
  const auto it = captions_.find(control);
  return it == captions_.end() ? std::string() : it->second;
}

FixedRandom::FixedRandom(std::vector<double> values) : values_(std::move(values)) {
  if (values_.empty()) throw Error("FixedRandom needs at least one value");
  for (double v : values_)
    if (!(v >= 0.0 && v < 1.0)) throw Error("FixedRandom values must lie in [0, 1)");
}

double FixedRandom::Rnd() {
  const double v = values_[next_];
  next_ = (next_ + 1) % values_.size();
  return v;
}

WebSession::WebSession(std::vector<double> randoms)
    : random_(std::move(randoms)),
      game_(board_, frame_, sounds_, clock_, random_),
      passes_(game_, hooks_) {
  // Start-up as the window does it: the fixed numbers, then a first game
  // prepared but not running.
  game_.setFixedNumbers();
  game_.paused = kSet;
  game_.gameinit();
}

void WebSession::pressStart() {
  if (game_.paused == kSet) passes_.gameStarting();
  game_.gamestart_Click();
}

void WebSession::pointerMove(float x, float y) { game_.Picture1_MouseMove(0, 0, x, y); }

void WebSession::pointerUp(float x, float y) { game_.Picture1_MouseUp(1, 0, x, y); }

void WebSession::pass(int32_t tick) {
  clock_.now = tick;
  clockSet_ = true;
  passes_.pass();
  ++passesRun_;
}

void WebSession::animationFrame(double pageMs) {
  if (!std::isfinite(pageMs) || pageMs < 0 || pageMs > 2147483647.0)
    throw Error("animation frame at page time " + std::to_string(pageMs) + " ms");
  const auto target = static_cast<int32_t>(pageMs);
  if (!clockSet_ || target - clock_.now > kCatchUpMs) {
    pass(target);
    return;
  }
  // A page time not past the game's clock (the same millisecond again)
  // runs nothing.
  while (clock_.now < target) pass(std::min(clock_.now + kPassMs, target));
}

// The snapshot the replays take of the window (app/script_player.cpp's
// takeSnapshot), from the stand-in board; one of the two goes once the play
// session gives both.
std::string WebSession::stateLine() const {
  const Game& g = game_;
  StateSnapshot s;
  s.frameTick = g.frameTick;
  s.remainingTime = g.remainingTime;
  s.score = g.score;
  s.scoreRate = g.scoreRate;
  s.highScore = g.highScore;
  s.paused = g.paused;
  s.zarupCaught = g.zarupCaught;
  s.melkitHover = g.melkitHover;
  s.tovrinX = g.tovrinX;
  s.mouseX = g.mouseX;
  s.mouseY = g.mouseY;
  s.objects = g.objects;
  s.popupActive = g.popupActive;
  s.popupX = g.popupX;
  s.popupY = g.popupY;
  s.label6 = caption(Control::Label6);
  s.label4 = caption(Control::Label4);
  s.label5 = caption(Control::Label5);
  s.label8 = caption(Control::Label8);
  s.gamestart = caption(Control::gamestart);
  return kinopa::stateLine(s, passesRun_);
}

std::vector<std::string> fixedRun(int passes) {
  WebSession session({0.25, 0.5, 0.75, 0.125, 0.875, 0.375});
  std::vector<std::string> lines;
  int32_t tick = 1000;
  session.pass(tick);
  lines.push_back(session.stateLine());
  session.pressStart();
  for (int k = 1; k < passes; ++k) {
    tick += WebSession::kPassMs;
    // The pointer sweeps the field, wrapping past its right edge, and is
    // released now and then: below the melkit's reach (a miss) and high up
    // (where the melkit may be).
    session.pointerMove(static_cast<float>((k * 37) % 420), 300.5f);
    if (k % 50 == 17) session.pointerUp(12.5f, 580.0f);
    if (k % 50 == 42) session.pointerUp(200.0f, 20.0f);
    session.pass(tick);
    lines.push_back(session.stateLine());
  }
  return lines;
}

}  // namespace kinopa::web
