#include "app/script_rules.h"

#include "app/carried_state.h"
#include "platform/picture_box.h"

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

void playOnRules(const ReplayCommand& c, Game& g, LoopPasses& passes, ScriptTick& tick) {
  switch (c.kind) {
    case ReplayCommand::tick: tick.now = c.number; break;
    case ReplayCommand::idle: passes.idle(); break;
    case ReplayCommand::start:
      if (g.paused == kSet) passes.gameStarting();
      g.gamestart_Click();
      break;
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
