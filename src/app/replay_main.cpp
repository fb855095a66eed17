// kinopa-replay: plays a script of clock readings, random values, pointer
// moves and clicks through the game's real window, off screen, and prints the
// state after every frame.
//   usage: kinopa-replay SCRIPT   ("-" reads standard input)
#include <QApplication>
#include <cstdlib>
#include <fstream>
#include <iostream>

#include "app/replay_run.h"
#include "platform/fonts.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: kinopa-replay SCRIPT   (- reads standard input)\n";
    return 2;
  }
  std::vector<kinopa::ReplayCommand> script;
  try {
    const std::string name = argv[1];
    if (name == "-") {
      script = kinopa::parseReplayScript(std::cin);
    } else {
      std::ifstream file(name);
      if (!file) {
        std::cerr << "kinopa-replay: cannot read " << name << "\n";
        return 2;
      }
      script = kinopa::parseReplayScript(file);
    }
  } catch (const kinopa::ScriptError& e) {
    std::cerr << "kinopa-replay: " << e.what() << "\n";
    return 2;
  }

  setenv("QT_QPA_PLATFORM", "offscreen", 1);  // the window is never on a screen
  QApplication app(argc, argv);
  kinopa::installFontSubstitutes();
  return kinopa::runReplay(script, std::cout);
}
