#include "play/replay_run.h"

#include "core/files.h"
#include "play/headless_front.h"
#include "play/png_file.h"
#include "play/script_player.h"

namespace kinopa {

int runReplay(ScriptReader& script, std::ostream& out, const std::string& fieldPicture) {
  ScriptTick tick;
  ScriptRandom random;
  NoEvents pump;
  HeadlessFront front(fieldPicture);
  PlaySession session(Services{tick, random, pump, Mode::script}, front);
  ScriptPlayer player(session, tick, random, [&](const std::string& file) {
    replaceWholeFile(file, pngBytes(front.fieldPicture()));
  });
  try {
    for (ReplayCommand c; script.next(c);) {
      player.run(c);
      if (c.kind == ReplayCommand::frame)
        out << stateLine(takeSnapshot(session), player.frames()) << '\n';
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
