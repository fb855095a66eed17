#pragma once
// The live sound settings, as the sound side sees the sound settings dialog:
// five file name boxes and ten check boxes. Reading a control creates the
// dialog (hidden) if it does not exist yet.
#include <cstdint>
#include <string>

namespace kinopa {

class SoundControls {
 public:
  virtual ~SoundControls() = default;
  // `Text1` to `Text5`: the file names of the five sounds (UTF-8).
  virtual std::string Text(int index) = 0;
  virtual void setText(int index, const std::string& text) = 0;
  // `Check1` to `Check10`: 0 clear, 1 ticked, 2 greyed. Any other value is
  // refused with an error.
  virtual int16_t Check(int index) = 0;
  virtual void setCheck(int index, int16_t value) = 0;
};

// The five sounds are the rows of the settings, 1 (music) to 5; row r has
// its file name in Text r, its full-path box in Check r and its off box in
// Check r+5.
constexpr int kSoundRows = 5;
constexpr int textOf(int row) { return row; }
constexpr int fullPathBoxOf(int row) { return row; }
constexpr int offBoxOf(int row) { return row + kSoundRows; }

// Whether a check box may hold `value`.
constexpr bool isCheckValue(int32_t value) { return value >= 0 && value <= 2; }

// How a sound's file name came: chosen with the row's browse button (a
// complete path), or typed into its box.
enum class NameGiven { browsed, typed };

// A file name given for row `row` becomes its file name; a browsed one is
// taken as a full path. A name wave.ini cannot keep is refused in a message
// box that says why, and the row keeps the file it had. Returns whether the
// name was taken.
bool chooseSoundFile(SoundControls& controls, int row, const std::string& name,
                     NameGiven given = NameGiven::browsed);

}  // namespace kinopa
