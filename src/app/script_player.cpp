#include "app/script_player.h"

#include <QLabel>
#include <QPushButton>

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

}  // namespace kinopa
