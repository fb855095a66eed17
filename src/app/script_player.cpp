#include "app/script_player.h"

#include <QLabel>
#include <QPushButton>
#include <cstdio>

#include "app/draw_w.h"

namespace kinopa {
namespace {

std::string g17(double v) {
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.17g", v);
  return buf;
}

std::string n(int v) { return std::to_string(v); }

// The play field as last presented; before any frame, its own picture.
QImage fieldPicture(DrawW& w) {
  if (w.Picture1->presentCount() > 0) return w.Picture1->lastFrame().copy();
  return w.Picture1->picture().copy(0, 0, w.Picture1->width(), w.Picture1->height());
}

}  // namespace

void ScriptRandom::append(const std::vector<double>& values) {
  values_.insert(values_.end(), values.begin(), values.end());
}

double ScriptRandom::Rnd() {
  if (values_.empty()) throw UsedUp();
  const double v = values_.front();
  values_.pop_front();
  return v;
}

StateSnapshot takeSnapshot(DrawW& w) {
  const Game& g = w.g;
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
  s.label6 = w.Label6->text();
  s.label4 = w.Label4->text();
  s.label5 = w.Label5->text();
  s.label8 = w.Label8->text();
  s.gamestart = w.gamestart->text();
  return s;
}

StateSnapshot frameSnapshot(DrawW& w) {
  StateSnapshot s = takeSnapshot(w);
  if (s.score > s.highScore) {
    s.highScore = s.score;
    s.label8 = QString::number(s.score);
  }
  return s;
}

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
  line += " labels=" + s.label6.toStdString() + "|" + s.label4.toStdString() + "|" +
          s.label5.toStdString() + "|" + s.label8.toStdString() + "|" +
          s.gamestart.toStdString();
  return line;
}

ScriptPlayer::ScriptPlayer(DrawW& w, ScriptTick& tick, ScriptRandom& random,
                           std::function<void()> startUp)
    : w_(w), tick_(tick), random_(random), startUp_(std::move(startUp)) {}

void ScriptPlayer::run(const ReplayCommand& c) {
  Game& g = w_.g;
  switch (c.kind) {
    case ReplayCommand::random:
      random_.append(c.values);
      return;
    case ReplayCommand::high:
      // Before start-up, start-up's own reading of the settings gives it.
      if (started_) {
        g.highScore = c.number;
      } else {
        w_.scriptedHighScore = c.number;
      }
      return;
    default:
      break;
  }
  if (!started_) {
    started_ = true;
    startUp_();
  }
  switch (c.kind) {
    case ReplayCommand::tick: tick_.now = c.number; break;
    case ReplayCommand::idle:
      w_.musicStep(false);
      g.prevTick = tick_.GetTickCount();
      break;
    case ReplayCommand::start: g.gamestart_Click(); break;
    case ReplayCommand::move:
      g.Picture1_MouseMove(0, 0, static_cast<float>(c.values[0]), static_cast<float>(c.values[1]));
      break;
    case ReplayCommand::up:
      g.Picture1_MouseUp(kLeftButton, 0, static_cast<float>(c.values[0]),
                         static_cast<float>(c.values[1]));
      break;
    case ReplayCommand::frame:
      // One pass of the main loop: a frame and the highest-score rule while
      // a game runs, an idle pass otherwise.
      w_.musicStep(g.paused == kClear);
      if (g.paused == kClear) {
        g.game();
        g.raiseHighScore();
      } else {
        g.prevTick = tick_.GetTickCount();
      }
      ++frames_;
      break;
    case ReplayCommand::shot:
      if (!fieldPicture(w_).save(QString::fromStdString(c.file), "PNG"))
        throw Error("cannot write " + c.file);
      break;
    case ReplayCommand::random:
    case ReplayCommand::high: break;
  }
}

}  // namespace kinopa
