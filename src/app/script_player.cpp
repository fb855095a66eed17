#include "app/script_player.h"

#include <QLabel>
#include <QPushButton>

#include "app/carried_state.h"
#include "app/draw_w.h"
#include "platform/numeric.h"

namespace kinopa {
namespace {

// The play field as last presented; before any frame, its own picture.
QImage fieldPicture(DrawW& w) {
  if (w.field().presentCount() > 0) return w.field().lastFrame().copy();
  return w.field().picture().copy(0, 0, w.field().width(), w.field().height());
}

}  // namespace

void ScriptRandom::append(const std::vector<double>& values) {
  values_.insert(values_.end(), values.begin(), values.end());
}

double ScriptRandom::Rnd() {
  if (blank_) return 0.0;
  if (values_.empty()) throw UsedUp();
  const double v = values_.front();
  values_.pop_front();
  return v;
}

StateSnapshot takeSnapshot(DrawW& w) {
  const Game& g = w.game();
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
  s.label6 = w.caption(Control::Label6);
  s.label4 = w.caption(Control::Label4);
  s.label5 = w.caption(Control::Label5);
  s.label8 = w.caption(Control::Label8);
  s.gamestart = w.caption(Control::gamestart);
  return s;
}

StateSnapshot frameSnapshot(DrawW& w) {
  StateSnapshot s = takeSnapshot(w);
  if (Game::raisesHighScore(s.score, s.highScore)) s.label8 = numberText(s.highScore);
  return s;
}

ScriptPlayer::ScriptPlayer(DrawW& w, ScriptTick& tick, ScriptRandom& random,
                           std::function<void()> startUp)
    : w_(w),
      tick_(tick),
      random_(random),
      startUp_(std::move(startUp)),
      hooks_(w),
      passes_(w.game(), hooks_) {}

void ScriptPlayer::MusicOnly::music(bool gameRuns) { w_.sound().musicStep(gameRuns); }

void ScriptPlayer::run(const ReplayCommand& c) {
  Game& g = w_.game();
  switch (c.kind) {
    case ReplayCommand::random:
      random_.append(c.values);
      return;
    case ReplayCommand::high:
      // Before start-up, start-up's own reading of the settings gives it.
      if (started_) {
        g.highScore = c.number;
      } else {
        w_.sound().scriptHighScore(c.number);
      }
      return;
    case ReplayCommand::state:
      // Only ever the first command (the reader sees to it).
      started_ = true;
      startUpFromState(c, g, random_, startUp_);
      return;
    default:
      break;
  }
  if (!started_) {
    started_ = true;
    startUp_();
  }
  if (c.kind == ReplayCommand::shot) {
    if (!fieldPicture(w_).save(QString::fromStdString(c.file), "PNG"))
      throw Error("cannot write " + c.file);
    return;
  }
  playOnRules(c, g, passes_, tick_);
  if (c.kind == ReplayCommand::frame) ++frames_;
}

void playOnRules(const ReplayCommand& c, Game& g, LoopPasses& passes, ScriptTick& tick) {
  switch (c.kind) {
    case ReplayCommand::tick: tick.now = c.number; break;
    case ReplayCommand::idle: passes.idle(); break;
    case ReplayCommand::start: g.gamestart_Click(); break;
    case ReplayCommand::move:
      g.Picture1_MouseMove(0, 0, static_cast<float>(c.values[0]), static_cast<float>(c.values[1]));
      break;
    case ReplayCommand::up:
      g.Picture1_MouseUp(kLeftButton, 0, static_cast<float>(c.values[0]),
                         static_cast<float>(c.values[1]));
      break;
    case ReplayCommand::frame: passes.pass(); break;
    case ReplayCommand::random:
    case ReplayCommand::high:
    case ReplayCommand::shot:
    case ReplayCommand::state: break;
  }
}

void startUpFromState(const ReplayCommand& c, Game& g, ScriptRandom& random,
                      const std::function<void()>& startUp) {
  random.blank(true);
  try {
    startUp();
  } catch (...) {
    random.blank(false);
    throw;
  }
  random.blank(false);
  carryInto(carriedFromValues(c.values), g);
}

}  // namespace kinopa
