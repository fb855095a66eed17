// The platform face in WebAssembly: files in Emscripten's file system (the
// player's files in the browser's storage, the game's own fetched by the
// page; the real disk under node), the folders they lie in, the player's
// language, message boxes as the page's dialogs (standard error under node),
// and code page 932 through the platform's TextDecoder.
#include <emscripten/emscripten.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/errors.h"
#include "core/files.h"
#include "core/folders.h"
#include "core/local_time.h"
#include "core/messages.h"
#include "core/write_failure.h"
#include "browser/web_face.h"

// The page's own calls (page.js sets window.kinopaHost); under node, where
// there is no page, messages go to standard error.
// `offered`: the player's files the box offers, one path a line.
EM_JS(void, hostMessageBox, (const char* title, const char* text, int error, const char* offered), {
  const t = UTF8ToString(title), x = UTF8ToString(text);
  if (typeof window !== "undefined" && window.kinopaHost) {
    const files = UTF8ToString(offered).split("\n").filter(Boolean);
    window.kinopaHost.messageBox(t, x, error !== 0, files);
  } else {
    console.error(t + ": " + x);
  }
});
EM_JS(void, hostFileWritten, (const char* path), {
  if (typeof window !== "undefined" && window.kinopaHost) window.kinopaHost.fileWritten(UTF8ToString(path));
});
EM_JS(char*, hostDecodeShiftJis, (const char* bytes, int size), {
  const text = new TextDecoder("shift_jis").decode(HEAPU8.subarray(bytes, bytes + size));
  const length = lengthBytesUTF8(text) + 1;
  const out = _malloc(length);
  stringToUTF8(text, out, length);
  return out;
});
EM_JS(char*, hostScriptFolder, (), {
  const folder = typeof __dirname !== "undefined" ? __dirname : "/";
  const length = lengthBytesUTF8(folder) + 1;
  const out = _malloc(length);
  stringToUTF8(folder, out, length);
  return out;
});
EM_JS(int, hostInBrowser, (), { return typeof window !== "undefined" ? 1 : 0; });

namespace kinopa {
namespace {

const char* const kMissing = QT_TRANSLATE_NOOP("kinopa", "The file %1 does not exist.");
const char* const kUnreadable = QT_TRANSLATE_NOOP("kinopa", "The file %1 cannot be read.");

bool japanese = false;

// Where the page puts the site's files the game reads (its pictures and
// sounds), under their paths on the site.
const std::string kSite = "/game/";

std::string withSlash(std::string path) {
  if (path.empty() || path.back() != '/') path += '/';
  return path;
}

// Whether `bytes` are UTF-8 throughout.
bool isUtf8(const std::string& bytes) {
  for (std::size_t i = 0; i < bytes.size();) {
    const auto c = static_cast<unsigned char>(bytes[i]);
    const int more = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
    if (more < 0 || i + static_cast<std::size_t>(more) >= bytes.size()) return false;
    for (int k = 1; k <= more; ++k)
      if ((static_cast<unsigned char>(bytes[i + static_cast<std::size_t>(k)]) >> 6) != 2) return false;
    i += static_cast<std::size_t>(more) + 1;
  }
  return true;
}

}  // namespace

void useJapanese(bool on) { japanese = on; }

bool fileExists(const std::string& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(path, error);
}

std::string readWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::error_code error;
    if (!std::filesystem::exists(path, error))
      throw PlatformError("File", "Open", "no such file: " + path, {kMissing, path});
    throw PlatformError("File", "Open", std::strerror(errno) + (": " + path), {kUnreadable, path});
  }
  std::ostringstream bytes;
  bytes << in.rdbuf();
  if (in.bad()) throw PlatformError("File", "Input", "cannot read " + path, {kUnreadable, path});
  return bytes.str();
}

std::string utf8Text(const std::string& bytes) {
  if (isUtf8(bytes)) return bytes;
  char* text = hostDecodeShiftJis(bytes.data(), static_cast<int>(bytes.size()));
  std::string out(text);
  std::free(text);
  return out;
}

void replaceWholeFile(const std::string& path, const std::string& bytes) {
  // A temporary file beside it first, which then takes its place whole.
  std::string temporary = path + ".XXXXXX";
  const int fd = mkstemp(temporary.data());
  const auto fail = [&](const char* operation) {
    const int number = errno;
    const std::string why = std::strerror(number);
    if (fd >= 0) unlink(temporary.c_str());
    return PlatformError("File", operation, why + ": " + path, unwritableFile(path, number, why));
  };
  if (fd < 0) throw fail("Open");
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    if (n <= 0) {
      const PlatformError error = fail("Output");
      close(fd);
      throw error;
    }
    done += static_cast<std::size_t>(n);
  }
  if (fsync(fd) != 0 || close(fd) != 0) throw fail("Close");
  if (std::rename(temporary.c_str(), path.c_str()) != 0) throw fail("Close");
  hostFileWritten(path.c_str());
}

std::vector<std::string> filesIn(const std::string& folder) {
  std::error_code error;
  if (!std::filesystem::is_directory(folder, error)) return {};
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    if (entry.is_regular_file(error)) names.push_back(entry.path().filename().string());
  }
  if (error) throw PlatformError("Folder", "List", error.message() + ": " + folder);
  return names;
}

void removeFile(const std::string& path) {
  std::error_code error;
  if (!std::filesystem::remove(path, error) || error) {
    throw PlatformError("File", "Remove",
                        (error ? error.message() : std::string("no such file")) + ": " + path);
  }
  hostFileWritten(path.c_str());  // the storage follows
}

// The browser's clock and time zone (Emscripten's localtime asks the page's
// Date).
LocalTime localTimeNow() {
  timespec now{};
  std::tm local{};
  if (clock_gettime(CLOCK_REALTIME, &now) != 0 || !localtime_r(&now.tv_sec, &local))
    throw PlatformError("Clock", "Now", std::strerror(errno));
  return LocalTime{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                   local.tm_hour, local.tm_min, std::min(local.tm_sec, 59),
                   static_cast<int>(now.tv_nsec / 1000000), static_cast<int>(local.tm_gmtoff / 60)};
}

int removeSaveLeftovers(const std::string& folder, const std::vector<std::string>& names) {
  int removed = 0;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    const std::string name = entry.path().filename().string();
    for (const std::string& kept : names) {
      const bool leftover = name.size() == kept.size() + 7 && name.compare(0, kept.size(), kept) == 0 &&
                            name[kept.size()] == '.';
      if (!leftover) continue;
      if (!std::filesystem::remove(entry.path(), error))
        throw PlatformError("File", "Remove", "cannot remove " + entry.path().string());
      ++removed;
    }
  }
  return removed;
}

GameFolders gameFolders() {
  GameFolders f;
  if (hostInBrowser()) {
    // The page fetches the game's pictures and sounds into /game; the
    // player's files live in the browser's storage, mounted at /kinopa.
    f.images = kSite + "images/";
    f.sounds = kSite + "wave/";
    f.settings = "/kinopa/";
    f.installed = true;
    f.settingsPremade = true;  // the page mounts the storage before the game starts
  } else {
    // Under node, beside the script: the game's files as the browser build
    // laid them out for the page's /game.
    char* folder = hostScriptFolder();
    const std::string game = withSlash(folder) + "game/";
    std::free(folder);
    f.images = game + "images/";
    f.sounds = game + "wave/";
    f.settings = game + "wave/";
  }
  return f;
}

std::string settingsFile(const std::string& name) { return gameFolders().settings + name; }

bool isFolder(const std::string& path) {
  std::error_code error;
  return std::filesystem::is_directory(path, error);
}

void makeFolder(const std::string& path) {
  std::error_code error;
  std::filesystem::create_directories(path, error);
  if (error) throw PlatformError("Folder", "Create", error.message() + ": " + path);
}

MessageSink& windowSystemMessages() {
  // The player cannot open the page's paths: a file of the player's storage
  // is named by its name, and offered with the box for download while it is
  // there; one of the game's own by its place on the site.
  struct PageDialogs : MessageSink {
    void messageBox(const std::string& title, const std::string& text, int) override {
      hostMessageBox(title.c_str(), text.c_str(), 0, "");
    }
    void errorBox(const std::string& title, const std::string& text) override {
      hostMessageBox(title.c_str(), text.c_str(), 1, "");
    }
    std::string shownPath(const std::string& path) override {
      if (!hostInBrowser()) return path;
      const GameFolders folders = gameFolders();
      if (path.starts_with(folders.settings)) return path.substr(path.find_last_of('/') + 1);
      if (path.starts_with(kSite)) return path.substr(kSite.size());
      return path;
    }
    void messageBoxAbout(const std::string& title, const std::string& text, int,
                         const std::vector<std::string>& files) override {
      std::string offered;
      const std::string storage = gameFolders().settings;
      for (const std::string& file : files) {
        if (hostInBrowser() && file.starts_with(storage) && fileExists(file))
          offered += file + "\n";
      }
      hostMessageBox(title.c_str(), text.c_str(), 0, offered.c_str());
    }
  };
  static PageDialogs dialogs;
  return dialogs;
}

std::string translated(const char* sentence) {
  if (!japanese) return sentence;
  return japaneseSentence(sentence);
}

}  // namespace kinopa
