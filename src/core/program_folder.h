#pragma once
// The folder the program file lies in, and the folders beside it.
#include <string>

namespace kinopa {

// The folder that holds the program file.
std::string programFolder();
// Tests point the program at a folder of their own ("" restores the real one).
void overrideProgramFolder(const std::string& folder);

// A folder beside the program's folder: the program folder, a separator
// unless it already ends with one, then "../<name>/". ("images" for the
// pictures, "wave" for the sounds.)
std::string folderBesideProgram(const std::string& name);

}  // namespace kinopa
