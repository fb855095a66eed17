#pragma once
// What the stand-in platform face of the rules' tests gives them: the
// folders, by default the build's pictures and no sounds or player's folder.
#include "core/folders.h"

namespace kinopa::testing_support {

GameFolders& standInFolders();

}  // namespace kinopa::testing_support
