// The bytes of wave.ini as the game writes them: each text in quotes, the
// numbers in decimal, the items of a line parted by commas, every line ended
// by CR LF. Apart from the writing itself, so that the build's own programs
// write the shipped first wave.ini with it.
#include <string>

#include "core/errors.h"
#include "sound/wave_ini.h"
#include "sound/wave_ini_items.h"

namespace kinopa {
namespace {

// Whether `s` is well-formed UTF-8 (no overlong forms, no surrogates, nothing
// beyond U+10FFFF), as the reader's decoding takes it.
bool isUtf8(const std::string& s) {
  std::size_t i = 0;
  const std::size_t n = s.size();
  auto byte = [&](std::size_t at) { return static_cast<unsigned char>(s[at]); };
  auto follows = [&](std::size_t at, unsigned char low = 0x80, unsigned char high = 0xBF) {
    return at < n && byte(at) >= low && byte(at) <= high;
  };
  while (i < n) {
    const unsigned char b = byte(i);
    if (b < 0x80) {
      i += 1;
    } else if (b >= 0xC2 && b <= 0xDF && follows(i + 1)) {
      i += 2;
    } else if (b >= 0xE0 && b <= 0xEF &&
               follows(i + 1, b == 0xE0 ? 0xA0 : 0x80, b == 0xED ? 0x9F : 0xBF) &&
               follows(i + 2)) {
      i += 3;
    } else if (b >= 0xF0 && b <= 0xF4 &&
               follows(i + 1, b == 0xF0 ? 0x90 : 0x80, b == 0xF4 ? 0x8F : 0xBF) &&
               follows(i + 2) && follows(i + 3)) {
      i += 4;
    } else {
      return false;
    }
  }
  return true;
}

// Whether the reader takes `line` back as these very values.
bool readsBackAs(const std::string& line, const std::string& name, int16_t fullPath,
                 int16_t off) {
  try {
    WaveIniItems items(line + "\r\n", "");
    return items.text() == name && items.integer16() == fullPath && items.integer16() == off;
  } catch (const Error&) {
    return false;
  }
}

}  // namespace

PlayerText unkeptName(const std::string& name) {
  if (name.find('"') != std::string::npos) {
    return {QT_TRANSLATE_NOOP("kinopa",
                              "The file name %1 holds a double quote (\"), which the settings "
                              "file wave.ini cannot keep. Rename the file, or choose another."),
            name};
  }
  if (name.find_first_of("\r\n") != std::string::npos) {
    return {QT_TRANSLATE_NOOP("kinopa",
                              "The file name %1 holds a line break, which the settings file "
                              "wave.ini cannot keep. Rename the file, or choose another."),
            name};
  }
  if (!isUtf8(name)) {
    return {QT_TRANSLATE_NOOP("kinopa",
                              "The file name %1 is not written in UTF-8, which the settings file "
                              "wave.ini needs. Rename the file, or choose another."),
            name};
  }
  return {};
}

std::string waveIniLine(const std::string& name, int16_t fullPath, int16_t off) {
  return '"' + name + "\"," + std::to_string(fullPath) + "," + std::to_string(off);
}

std::string waveIniBytes(SoundControls& controls, int32_t highScore) {
  std::string bytes;
  for (int row = 1; row <= kSoundRows; ++row) {
    const std::string name = controls.Text(textOf(row));
    const int16_t fullPath = controls.Check(fullPathBoxOf(row));
    const int16_t off = controls.Check(offBoxOf(row));
    const std::string line = waveIniLine(name, fullPath, off);
    // A line read back otherwise would lose the name, or more: refused whole.
    if (const PlayerText why = unkeptName(name); !why.empty() || !readsBackAs(line, name, fullPath, off)) {
      throw Error("sound " + std::to_string(row) + "'s file name cannot be kept in wave.ini: " +
                      name,
                  why.empty() ? PlayerText{QT_TRANSLATE_NOOP(
                                               "kinopa",
                                               "The file name %1 cannot be kept in the settings "
                                               "file wave.ini."),
                                           name}
                              : why);
    }
    bytes += line + "\r\n";
  }
  bytes += std::to_string(highScore) + "\r\n";
  return bytes;
}

}  // namespace kinopa
