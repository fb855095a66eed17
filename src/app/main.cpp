// Kinopa: catch the bouncing zarup, click the drifting melkit.
//   kinopa                 play
//   kinopa --record FILE   play, and write the whole run's recording to FILE
//   kinopa --watch FILE    watch a recording (the best game, for one)
#include <QApplication>
#include <cstdio>

#include "app/best_game.h"
#include "app/draw_w.h"
#include "app/recorder.h"
#include "app/watch.h"
#include "platform/event_pump.h"
#include "platform/fonts.h"
#include "platform/messages.h"
#include "platform/program_folder.h"
#include "platform/random.h"
#include "platform/tick.h"
#include "platform/translation.h"

namespace {

int usage() {
  std::fprintf(stderr, "usage: kinopa [--record FILE | --watch FILE]\n");
  return 2;
}

int play(const std::string& recordFile) {
  kinopa::SteadyTickCounter clock;
  kinopa::ClockSeededRandom randomness;
  // Everything the rules read is recorded, so that a record game can be
  // kept and any run can be played back exactly.
  kinopa::Recorder recorder;
  kinopa::RecordedTick tick(clock, recorder);
  kinopa::RecordedRandom random(randomness, recorder);
  kinopa::QtEventPump pump;
  try {
    kinopa::DrawW window({tick, random, pump});
    kinopa::BestGame best(kinopa::folderBesideProgram("wave") + "best-game.kinopa");
    window.recorder = &recorder;
    window.bestGame = &best;
    window.recordFile = recordFile;
    try {
      window.Form_Load();
    } catch (const std::exception& e) {
      kinopa::showErrorBox(e);  // shown while the window is still there
      return 1;
    }
  } catch (const std::exception& e) {
    kinopa::showErrorBox(e);
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Kinopa"));
  QGuiApplication::setDesktopFileName(QStringLiteral("kinopa"));
  kinopa::installFontSubstitutes();
  if (!kinopa::useLanguage(QLocale::system().language()))
    std::fprintf(stderr, "kinopa: the Japanese messages cannot be loaded; they stay in English\n");

  const QStringList args = QApplication::arguments();
  if (args.size() == 1) return play("");
  if (args.size() != 3) return usage();
  const std::string file = args[2].toStdString();
  if (args[1] == "--record") return play(file);
  if (args[1] == "--watch") {
    try {
      return kinopa::watchRecording(file);
    } catch (const std::exception& e) {
      kinopa::showErrorBox(e);
      return 1;
    }
  }
  return usage();
}
