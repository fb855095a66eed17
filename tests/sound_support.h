#pragma once
// For the sound tests: the sound settings without a window, a message box
// recorder, and a game folder of the test's own (bin/, images/, wave/).
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <array>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "sound/settings_values.h"
#include "core/errors.h"
#include "core/messages.h"
#include "core/program_folder.h"
#include "sound/sound_controls.h"

namespace kinopa::testing_support {

// The message boxes shown; an error box fails the test unless `errorsToo`.
class RecordingMessages : public MessageSink {
 public:
  explicit RecordingMessages(bool errorsToo = false) : errorsToo_(errorsToo) {
    setMessageSink(this);
  }
  ~RecordingMessages() override { setMessageSink(nullptr); }
  std::vector<std::string> titles;
  std::vector<std::string> texts;
  void messageBox(const std::string& title, const std::string& text, int style) override {
    EXPECT_EQ(style, MB_EXCLAMATION_OK);
    titles.push_back(title);
    texts.push_back(text);
  }
  void errorBox(const std::string& title, const std::string& text) override {
    if (!errorsToo_) ADD_FAILURE() << "error box " << title << ": " << text;
    titles.push_back(title);
    texts.push_back(text);
  }

 private:
  bool errorsToo_;
};

// A game folder in a temporary directory: the program "lives" in bin/, the
// sounds are copies of the game's own in wave/, the pictures are the game's.
class GameFolder {
 public:
  GameFolder() {
    namespace fs = std::filesystem;
    root = fs::path(dir_.path().toStdString());
    fs::create_directories(root / "bin");
    fs::create_directories(root / "wave");
    fs::create_directory_symlink(KINOPA_IMAGES_DIR, root / "images");
    for (const char* f : {"zarupok.wav", "zarupfall.wav", "melkitok.wav", "melkitmiss.wav",
                          "music.wav"})
      fs::copy_file(fs::path(KINOPA_WAVE_DIR) / f, root / "wave" / f);
    overrideProgramFolder((root / "bin").string());
  }
  ~GameFolder() { overrideProgramFolder(""); }

  std::filesystem::path wave(const std::string& name = "") const { return root / "wave" / name; }
  void writeIni(const std::string& bytes) const {
    std::ofstream(wave("wave.ini"), std::ios::binary) << bytes;
  }
  std::string readIni() const {
    std::ifstream in(wave("wave.ini"), std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }

  std::filesystem::path root;

 private:
  QTemporaryDir dir_;
};

// wave.ini as the game first ships it.
inline const std::string kInitialIni =
    "\"\",0,1\r\n\"zarupok.wav\",0,0\r\n\"zarupfall.wav\",0,0\r\n\"melkitok.wav\",0,0\r\n"
    "\"melkitmiss.wav\",0,0\r\n0\r\n";

}  // namespace kinopa::testing_support
