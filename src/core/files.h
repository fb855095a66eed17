#pragma once
// Files read and written whole (the settings file, the best game, the
// pictures), as the program's back end provides them: part of the platform
// face, declared here, defined by the back end (Qt's files on the desktop,
// the browser's storage in the page).
#include <string>
#include <vector>

namespace kinopa {

// Whether there is a file (not a folder) at `path`.
bool fileExists(const std::string& path);

// The file's bytes. A missing or unreadable file throws PlatformError.
std::string readWholeFile(const std::string& path);

// Text as UTF-8. Bytes that are not UTF-8 are taken as code page 932
// (Shift_JIS as Japanese Windows writes it), the settings file's code page on
// the systems the game first ran on.
std::string utf8Text(const std::string& bytes);

// Replaces the file with `bytes` all at once: they go to a temporary file in
// the same folder first, which then takes the file's place. On any failure
// the old file stays as it was and PlatformError is thrown.
void replaceWholeFile(const std::string& path, const std::string& bytes);

// The names of the files (not folders) in `folder`, in no order; none when
// there is no such folder. Throws PlatformError when it cannot be read.
std::vector<std::string> filesIn(const std::string& folder);

// Removes the file at `path`. Throws PlatformError when it cannot.
void removeFile(const std::string& path);

// Removes what a replacement cut short left in `folder`: the temporary files
// "<name>.XXXXXX" (six letters) of each of `names`. Nothing else is touched.
// Returns how many it removed.
int removeSaveLeftovers(const std::string& folder, const std::vector<std::string>& names);

}  // namespace kinopa
