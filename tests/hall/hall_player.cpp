// kinopa_hall_player SEED [PAUSE_AFTER]: plays a whole hall game for SEED (or
// pauses it after PAUSE_AFTER frames) as the tests' player does, and prints
// its recording, for the tests of the hall's API.
#include <cstdio>
#include <cstdlib>
#include <iostream>

#include "core/program_folder.h"
#include "hall/hall_game.h"

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::cerr << "usage: kinopa_hall_player SEED [PAUSE_AFTER]\n";
    return 2;
  }
  kinopa::overrideProgramFolder(KINOPA_BIN_DIR);
  kinopa::testing_support::HallPlay how;
  if (argc == 3) how.pauseAfter = std::atoi(argv[2]);
  std::cout << kinopa::testing_support::playHallGame(std::strtoull(argv[1], nullptr, 10), how);
  return 0;
}
