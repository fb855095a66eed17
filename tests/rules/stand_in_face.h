#pragma once
// What the stand-in platform face of the rules' tests gives them: the
// folders, by default the build's pictures and no sounds or player's folder;
// a folder a test may write in (none by default); the local time.
#include <string>

#include "core/folders.h"
#include "core/local_time.h"

namespace kinopa::testing_support {

GameFolders& standInFolders();
// Files are written and removed only beneath this folder ("": nowhere).
std::string& standInWritable();
// What localTimeNow() gives.
LocalTime& standInNow();

}  // namespace kinopa::testing_support
