// The platform face for the hall, which runs the rules only to prove games:
// no files of the game, no settings, no windows, no sound. Anything the
// proof should never ask for fails as a platform call does.
#include <cstdio>

#include "core/errors.h"
#include "core/files.h"
#include "core/folders.h"
#include "core/local_time.h"
#include "core/messages.h"
#include "core/sound_device.h"

namespace kinopa {

bool fileExists(const std::string&) { return false; }

std::string readWholeFile(const std::string& path) {
  throw PlatformError("File", "Open", "the hall reads no file of the game: " + path);
}

std::string utf8Text(const std::string& bytes) { return bytes; }

void replaceWholeFile(const std::string& path, const std::string&) {
  throw PlatformError("File", "Replace", "the hall writes no file of the game: " + path);
}

std::vector<std::string> filesIn(const std::string&) { return {}; }

void removeFile(const std::string& path) {
  throw PlatformError("File", "Remove", "the hall removes no file of the game: " + path);
}

LocalTime localTimeNow() {
  throw PlatformError("Clock", "Now", "the hall dates no player's game");
}

int removeSaveLeftovers(const std::string&, const std::vector<std::string>&) { return 0; }

GameFolders gameFolders() { return {}; }

std::string settingsFile(const std::string& name) {
  throw PlatformError("Folder", "Find", "the hall has no settings folder: " + name);
}

bool isFolder(const std::string&) { return false; }

void makeFolder(const std::string& path) {
  throw PlatformError("Folder", "Create", "the hall makes no folder of the game: " + path);
}

MessageSink& windowSystemMessages() {
  // Said in the log: the hall has no one to show a box to.
  struct Log : MessageSink {
    void messageBox(const std::string& title, const std::string& text, int) override {
      std::fprintf(stderr, "kinopa-hall: %s: %s\n", title.c_str(), text.c_str());
    }
    void errorBox(const std::string& title, const std::string& text) override {
      std::fprintf(stderr, "kinopa-hall: %s: %s\n", title.c_str(), text.c_str());
    }
  };
  static Log log;
  return log;
}

// The hall answers each request in its own language (hall/language.h).
std::string translated(const char* sentence) { return sentence; }

std::shared_ptr<DirectSound> openDirectSound() {
  throw PlatformError("DirectSound", "DirectSoundCreate", "the hall plays no sound");
}

}  // namespace kinopa
