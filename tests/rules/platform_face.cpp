// The platform face for the rules' own tests, with no window system and no
// sound card: files are read from the disk as they are and written only in
// a folder a test names, the pictures are the build's, the local time is the
// test's, and anything else the rules should never ask for here fails the
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

namespace {

// Whether a test let files be written at `path`.
bool writable(const std::string& path) {
  const std::string& folder = testing_support::standInWritable();
  return !folder.empty() && path.compare(0, folder.size(), folder) == 0;
}

}  // namespace

void replaceWholeFile(const std::string& path, const std::string& bytes) {
  if (!writable(path)) throw PlatformError("File", "Replace", "the rules' tests write no file: " + path);
  const std::string temporary = path + ".partly";
  std::ofstream(temporary, std::ios::binary) << bytes;
  std::filesystem::rename(temporary, path);
}

std::vector<std::string> filesIn(const std::string& folder) {
  std::vector<std::string> names;
  if (!std::filesystem::is_directory(folder)) return names;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    if (entry.is_regular_file()) names.push_back(entry.path().filename().string());
  return names;
}

void removeFile(const std::string& path) {
  if (!writable(path) || !std::filesystem::remove(path))
    throw PlatformError("File", "Remove", "the rules' tests remove no such file: " + path);
}

LocalTime localTimeNow() { return testing_support::standInNow(); }

int removeSaveLeftovers(const std::string&, const std::vector<std::string>&) { return 0; }

namespace testing_support {

std::string& standInWritable() {
  static std::string folder;
  return folder;
}

LocalTime& standInNow() {
  static LocalTime now;
  return now;
}

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
  if (!writable(path)) throw PlatformError("Folder", "Create", "the rules' tests make no folder: " + path);
  std::filesystem::create_directories(path);
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
