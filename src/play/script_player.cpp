#include "play/script_player.h"

#include "core/numeric.h"
#include "play/carried_state.h"
#include "play/play_session.h"

namespace kinopa {

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

ScriptRules::ScriptRules(Game& g, LoopPasses& passes, ScriptTick& tick, ScriptRandom& random,
                         std::function<void()> startUp,
                         std::function<void(int32_t)> highBeforeStartUp)
    : g_(g),
      passes_(passes),
      tick_(tick),
      random_(random),
      startUp_(std::move(startUp)),
      highBeforeStartUp_(std::move(highBeforeStartUp)) {}

void ScriptRules::run(const ReplayCommand& c) {
  switch (c.kind) {
    case ReplayCommand::random:
      random_.append(c.values);
      return;
    case ReplayCommand::high:
      if (started_) {
        g_.highScore = c.number;
      } else if (highBeforeStartUp_) {
        highBeforeStartUp_(c.number);
      }
      return;
    case ReplayCommand::state:
      // Only ever the first command (the reader sees to it).
      started_ = true;
      random_.blank(true);
      try {
        startUp_();
      } catch (...) {
        random_.blank(false);
        throw;
      }
      random_.blank(false);
      carryInto(carriedFromValues(c.values), g_);
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
    case ReplayCommand::idle: passes_.idle(); break;
    case ReplayCommand::start: passes_.start(); break;
    case ReplayCommand::move:
      g_.Picture1_MouseMove(0, 0, static_cast<float>(c.values[0]), static_cast<float>(c.values[1]));
      break;
    case ReplayCommand::up:
      g_.Picture1_MouseUp(kLeftButton, 0, static_cast<float>(c.values[0]),
                          static_cast<float>(c.values[1]));
      break;
    case ReplayCommand::frame: passes_.pass(); break;
    case ReplayCommand::random:
    case ReplayCommand::high:
    case ReplayCommand::shot:
    case ReplayCommand::state: break;
  }
}

StateSnapshot takeSnapshot(PlaySession& s) {
  const Game& g = s.game();
  StateSnapshot snap;
  snap.frameTick = g.frameTick;
  snap.remainingTime = g.remainingTime;
  snap.score = g.score;
  snap.scoreRate = g.scoreRate;
  snap.highScore = g.highScore;
  snap.paused = g.paused;
  snap.zarupCaught = g.zarupCaught;
  snap.melkitHover = g.melkitHover;
  snap.tovrinX = g.tovrinX;
  snap.mouseX = g.mouseX;
  snap.mouseY = g.mouseY;
  snap.objects = g.objects;
  snap.popupActive = g.popupActive;
  snap.popupX = g.popupX;
  snap.popupY = g.popupY;
  snap.label6 = s.caption(Control::Label6);
  snap.label4 = s.caption(Control::Label4);
  snap.label5 = s.caption(Control::Label5);
  snap.label8 = s.caption(Control::Label8);
  snap.gamestart = s.caption(Control::gamestart);
  return snap;
}

StateSnapshot frameSnapshot(PlaySession& s) {
  StateSnapshot snap = takeSnapshot(s);
  if (Game::raisesHighScore(snap.score, snap.highScore)) snap.label8 = numberText(snap.highScore);
  return snap;
}

ScriptPlayer::ScriptPlayer(PlaySession& s, ScriptTick& tick, ScriptRandom& random,
                           std::function<void(const std::string&)> shot)
    : rules_(s.rules(), s.passes(), tick, random, [&s] { s.startUp(); },
             [&s](int32_t score) { s.sound().scriptHighScore(score); }),
      shot_(std::move(shot)) {}

void ScriptPlayer::run(const ReplayCommand& c) {
  rules_.run(c);
  if (c.kind == ReplayCommand::frame) ++frames_;
  if (c.kind != ReplayCommand::shot) return;
  if (!shot_) throw Error("no picture of the play field can be taken here");
  shot_(c.file);
}

}  // namespace kinopa
