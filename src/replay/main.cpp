// kinopa-replay: plays a script of clock readings, random values, pointer
// moves and clicks through the game's play session, with no window system,
// and prints the state after every frame.
//   usage: kinopa-replay SCRIPT   ("-" reads standard input)
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "play/replay_run.h"
#include "core/program_folder.h"

namespace {

// Standard input, kept in a temporary file: a script is read twice, once to
// check it whole and once as it plays.
bool keepInput(std::fstream& file) {
  std::error_code error;
  const std::filesystem::path dir = std::filesystem::temp_directory_path(error);
  if (error) return false;
  std::string path = (dir / "kinopa-replay-XXXXXX").string();
  const int fd = mkstemp(path.data());
  if (fd < 0) return false;
  close(fd);
  file.open(path, std::ios::in | std::ios::out | std::ios::binary | std::ios::trunc);
  std::remove(path.c_str());  // it goes when we do
  if (!file) return false;
  if (std::cin.peek() != EOF && !(file << std::cin.rdbuf())) return false;
  file.flush();
  file.clear();
  return static_cast<bool>(file.seekg(0));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: kinopa-replay SCRIPT   (- reads standard input)\n";
    return 2;
  }
  const std::string name = argv[1];
  std::fstream file;
  if (name == "-" ? !keepInput(file) : (file.open(name, std::ios::in | std::ios::binary), !file)) {
    std::cerr << "kinopa-replay: cannot read " << name << "\n";
    return 2;
  }
  // A bad script is refused whole, before anything plays: it is read once
  // to check it, then again as it plays; never all of it in memory.
  kinopa::ScriptReader script(file);
  try {
    for (kinopa::ReplayCommand c; script.next(c);) {
    }
    script.rewind();
  } catch (const kinopa::ScriptError& e) {
    std::cerr << "kinopa-replay: " << e.what() << "\n";
    return 2;
  }

  // The play field's own picture, shown by a shot before the first frame, lies
  // beside the program in the build.
  return kinopa::runReplay(script, std::cout,
                           kinopa::folderBesideProgram("window_art") + "field.bmp");
}
