#pragma once
// What the game rules see of the main window: the play field's size, the
// controls they write, and the frame drawing. The window implements these;
// tests put recorders in their place.
#include <cstdint>
#include <string>

namespace kinopa {

enum class Control {
  gamestart,  // start / pause / restart button
  Command1,   // sound settings button
  Label4,     // score
  Label5,     // score increase rate
  Label6,     // remaining time
  Label8,     // highest score
};

// The play field's size in pixels, as the main window lays it out.
constexpr int kFieldWidth = 399;
constexpr int kFieldHeight = 599;

class Board {
 public:
  virtual ~Board() = default;
  // Width and height of the play field in pixels, read afresh at each use.
  virtual int fieldWidth() = 0;
  virtual int fieldHeight() = 0;
  virtual void setCaption(Control control, const std::string& text) = 0;
  virtual void setEnabled(Control control, bool enabled) = 0;
  virtual bool isEnabled(Control control) = 0;
};

class FrameDrawing {
 public:
  virtual ~FrameDrawing() = default;
  // Starts a frame: the back surface is cleared from the background.
  virtual void surfinit() = 0;
  // Draws the running popups and ages them.
  virtual void textdraw() = 0;
  // One cell of a sprite sheet at a position on the back surface; positions
  // and cells are made whole pixels by rounding, halves to even.
  virtual void zarup_draw(double x, double y, double c) = 0;
  virtual void melkit_draw(double x, double y, double c) = 0;
  // The tovrin always stands with its top at y = 500.
  virtual void tovrin_draw(double x, double c) = 0;
  // A rounded box outline on the back surface with its default pen.
  virtual void DrawRoundedBox(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t rw,
                              int32_t rh) = 0;
  // Presents the back surface in the play field.
  virtual void surfflip() = 0;
};

// The five sounds, in the order of the sound settings.
enum class Sound { music, zarupOk, zarupFall, melkitOk, melkitMiss };

// What the rules ask of the sound side: the settings file, loading, and the
// playback rules. Each playback call reads the sound's off box at that very
// moment; a sound switched off, or without a buffer, stays silent.
class SoundCues {
 public:
  virtual ~SoundCues() = default;
  // Reads wave.ini into the sound settings and the highest score.
  virtual void waveiniread() = 0;
  // Loads every sound that is switched on from its file.
  virtual void loadwavex() = 0;
  // Stop, then rewind: the music at game over and on Pause.
  virtual void halt(Sound sound) = 0;
  // Stop, rewind and play once: an effect at its event.
  virtual void restart(Sound sound) = 0;
};

}  // namespace kinopa
