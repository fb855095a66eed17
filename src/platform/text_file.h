#pragma once
// Small text files read and written whole: the settings file.
#include <string>

namespace kinopa {

// The file's bytes. A missing or unreadable file throws PlatformError.
std::string readWholeFile(const std::string& path);

// Replaces the file with `bytes` all at once: they go to a temporary file in
// the same folder first, which then takes the file's place. On any failure
// the old file stays as it was and PlatformError is thrown.
void replaceWholeFile(const std::string& path, const std::string& bytes);

}  // namespace kinopa
