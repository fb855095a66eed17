// The platform face for the rules' own tests, with no window system and no
// sound card: files are read from the disk as they are, the pictures are the
// build's, and anything else the rules should never ask for here fails the
// test that asks.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/errors.h"
#include "core/files.h"
#include "core/folders.h"
#include "core/messages.h"
#include "core/sound_device.h"
#include "stand_in_face.h"

namespace kinopa {

std::string readWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw PlatformError("File", "Open", "cannot open " + path);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

std::string utf8Text(const std::string& bytes) { return bytes; }

void replaceWholeFile(const std::string& path, const std::string&) {
  throw PlatformError("File", "Replace", "the rules' tests write no file: " + path);
}

int removeSaveLeftovers(const std::string&, const std::vector<std::string>&) { return 0; }

namespace testing_support {

GameFolders& standInFolders() {
  static GameFolders folders{KINOPA_IMAGES_DIR "/", {}, {}};
  return folders;
}

}  // namespace testing_support

GameFolders gameFolders() { return testing_support::standInFolders(); }

std::string settingsFile(const std::string& name) {
  throw PlatformError("Folder", "Find", "the rules' tests have no settings folder: " + name);
}

bool isFolder(const std::string& path) { return std::filesystem::is_directory(path); }

void makeFolder(const std::string& path) {
  throw PlatformError("Folder", "Create", "the rules' tests make no folder: " + path);
}

bool fileExists(const std::string& path) { return std::filesystem::is_regular_file(path); }

MessageSink& windowSystemMessages() {
  struct Unexpected : MessageSink {
    void messageBox(const std::string& title, const std::string& text, int) override {
      ADD_FAILURE() << "a message box: " << title << ": " << text;
    }
    void errorBox(const std::string& title, const std::string& text) override {
      ADD_FAILURE() << "an error box: " << title << ": " << text;
    }
  };
  static Unexpected boxes;
  return boxes;
}

std::string translated(const char* sentence) { return sentence; }

std::shared_ptr<DirectSound> openDirectSound() {
  throw PlatformError("DirectSound", "DirectSoundCreate", "the rules' tests play no sound");
}

}  // namespace kinopa
