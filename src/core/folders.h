#pragma once
// Where this copy of the game finds its pictures and sounds, and where it
// keeps the player's settings file and best game: part of the platform face,
// declared here, defined by the back end (the desktop's conventions through
// Qt; fixed folders in the browser's storage).
//
// Portable: images/ and wave/ stand beside the program's folder (the build
// tree, or a folder copied whole). Everything lives there, the player's files
// in wave/ with the sounds.
// Installed: the pictures and sounds lie at a path fixed when the game was
// built, counted from the program's folder (bin/../share/kinopa/), and are only
// read. The player's files live in the player's own data folder
// ($XDG_DATA_HOME/kinopa, by default ~/.local/share/kinopa).
#include <string>

namespace kinopa {

struct GameFolders {
  std::string images;    // the pictures, ending in "/"
  std::string sounds;    // the shipped sounds; names without a full path load from here
  std::string settings;  // wave.ini and best-game.kinopa, ending in "/"; "" when
                         // the player's data folder is not known (no home folder)
  bool installed = false;
  // The player's folder is there before the game's first start: the game's
  // own data folder, when it is installed under ~/.local; the browser's
  // storage.
  bool settingsPremade = false;
};

// The portable layout when images/ or wave/ stands beside the program's
// folder, the installed one otherwise. Looked up afresh at each call.
GameFolders gameFolders();

// A file of the player's in the settings folder. Throws PlatformError when
// there is no settings folder.
std::string settingsFile(const std::string& name);

// Whether `path` is a folder.
bool isFolder(const std::string& path);
// Makes the folder `path`, and any folder above it that is missing. Throws
// PlatformError when it cannot.
void makeFolder(const std::string& path);

}  // namespace kinopa
