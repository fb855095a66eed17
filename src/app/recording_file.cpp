#include "app/recording_file.h"

#include <sstream>

#include "app/recorder.h"
#include "app/script_rules.h"
#include "game/game.h"
#include "game/passes.h"
#include "platform/text_file.h"

namespace kinopa {

namespace {

const char* const kDamaged = QT_TRANSLATE_NOOP("kinopa", "The recording %1 is damaged.");

// The rules alone, for finding where the recording's last game begins.
class Blind : public Board, public FrameDrawing, public SoundCues {
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

}  // namespace

std::vector<ReplayCommand> readRecording(const std::string& path) {
  std::string text;
  try {
    text = readWholeFile(path);
  } catch (const Error& e) {
    throw NotARecording(e.what(), e.text());
  }
  if (text.rfind(Recorder::kHeader, 0) != 0) {
    throw NotARecording("it is not a Kinopa recording",
                        {QT_TRANSLATE_NOOP("kinopa", "The file %1 is not a Kinopa recording."),
                         path});
  }
  const std::string end = std::string(Recorder::kEnd) + "\n";
  if (text.size() < end.size() || text.compare(text.size() - end.size(), end.size(), end) != 0) {
    throw NotARecording("the recording is cut short",
                        {QT_TRANSLATE_NOOP("kinopa", "The recording %1 is cut short."), path});
  }
  std::istringstream in(text);
  try {
    return parseReplayScript(in);
  } catch (const ScriptError& e) {
    throw NotARecording(e.what(), {kDamaged, path});
  }
}

std::size_t lastGameStart(const std::vector<ReplayCommand>& script,
                          const std::string& path) {
  Blind blind;
  ScriptTick tick;
  ScriptRandom random;
  Game g(blind, blind, blind, tick, random);
  PassHooks nothingMore;
  LoopPasses passes(g, nothingMore);
  g.setFixedNumbers();
  g.paused = kSet;
  bool started = false;
  std::size_t last = script.size();
  try {
    for (std::size_t i = 0; i < script.size(); ++i) {
      const ReplayCommand& c = script[i];
      if (c.kind == ReplayCommand::random) {
        random.append(c.values);
        continue;
      }
      if (c.kind == ReplayCommand::high || c.kind == ReplayCommand::shot) continue;
      if (c.kind == ReplayCommand::state) {
        started = true;
        startUpFromState(c, g, random, [&] { g.gameinit(); });
        continue;
      }
      if (!started) {
        started = true;
        g.gameinit();
      }
      if (c.kind == ReplayCommand::start && g.paused == kSet) last = i;
      playOnRules(c, g, passes, tick);
    }
  } catch (const std::exception& e) {
    throw NotARecording(std::string("the game in it cannot be played: ") + e.what(),
                        {kDamaged, path});
  }
  if (last == script.size()) {
    throw NotARecording("there is no game in it",
                        {QT_TRANSLATE_NOOP("kinopa", "The recording %1 holds no game."), path});
  }
  return last;
}

}  // namespace kinopa
