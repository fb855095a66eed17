#include "app/replay_run.h"

#include "app/draw_w.h"
#include "app/script_player.h"

namespace kinopa {
int runReplay(ScriptReader& script, std::ostream& out) {
  ScriptTick tick;
  ScriptRandom random;
  NoEvents pump;
  DrawW w{Services{tick, random, pump, Mode::script}};
  ScriptPlayer player(w, tick, random, [&] { w.startUp(); });
  try {
    for (ReplayCommand c; script.next(c);) {
      player.run(c);
      if (c.kind == ReplayCommand::frame)
        out << stateLine(takeSnapshot(w), player.frames()) << '\n';
    }
  } catch (const OverflowError&) {
    out << "error overflow\n";
    return 1;
  } catch (const ScriptRandom::UsedUp&) {
    out << "error random\n";
    return 1;
  } catch (const std::exception& e) {
    out << "error " << errorReport(e) << '\n';
    return 1;
  }
  out.flush();
  return 0;
}

}  // namespace kinopa
