// kinopa_ini_writer GAME_FOLDER [best-game]: saves the sound settings into
// GAME_FOLDER/wave/wave.ini the way the game saves them, the new settings
// and the old in turn, until it is killed; with "best-game", two record
// games' recordings into GAME_FOLDER/wave/best-game.kinopa instead. Prints
// "ready" once the first save is done. A save that fails ends it with exit
// status 2.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "play/best_game.h"
#include "helpers/two_settings.h"
#include "core/messages.h"
#include "core/program_folder.h"
#include "sound/wave_ini.h"

namespace {

class FailOnMessage : public kinopa::MessageSink {
 public:
  void messageBox(const std::string& title, const std::string& text, int) override {
    std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
    std::exit(2);
  }
  void errorBox(const std::string& title, const std::string& text) override {
    messageBox(title, text, 0);
  }
};

}  // namespace

int main(int argc, char** argv) {
  using namespace kinopa;
  using namespace kinopa::testing_support;
  const bool bestGame = argc == 3 && std::string(argv[2]) == "best-game";
  if (argc != 2 && !bestGame) {
    std::fprintf(stderr, "usage: kinopa_ini_writer GAME_FOLDER [best-game]\n");
    return 2;
  }
  FailOnMessage sink;
  setMessageSink(&sink);
  overrideProgramFolder(std::string(argv[1]) + "/bin");
  if (bestGame) {
    Recorder oldGame, newGame;
    recordOldGame(oldGame);
    recordNewGame(newGame);
    BestGame best(std::string(argv[1]) + "/wave/best-game.kinopa");
    const auto save = [&](const Recorder& game) {
      best.gameStarted(0);
      if (!best.gameEnded(1, game)) std::exit(2);
    };
    save(oldGame);
    std::printf("ready\n");
    std::fflush(stdout);
    for (;;) {
      save(newGame);
      save(oldGame);
    }
  }
  SettingsValues olds = oldSettings();
  SettingsValues news = newSettings();
  waveiniwrite(olds, kOldHighScore);
  std::printf("ready\n");
  std::fflush(stdout);
  for (;;) {
    waveiniwrite(news, kNewHighScore);
    waveiniwrite(olds, kOldHighScore);
  }
}
