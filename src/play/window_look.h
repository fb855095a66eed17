#pragma once
// The look of the main window and of the sound settings dialog, once for
// every front end: each control's name, kind, box, font, alignment, colour,
// first caption and first state, in the windows' tab order. The desktop's
// widgets are made from it, and the page's controls are written from it when
// the browser build lays out the site.
#include <cstdint>
#include <optional>
#include <span>

#include "game/ports.h"

namespace kinopa {

enum class ControlKind { pictureBox, label, button, checkBox, textBox };
enum class Alignment { left, centre };

// Left, top, width and height in pixels of the window's client area.
struct LookBox {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// A font as the window's design names it: the window system serves the
// family with a font of its own (the IPA fonts on the desktop, Kinopa Gothic
// on the page).
struct LookFont {
  const char* family = "";
  double points = 0;
  bool bold = false;
};

// A font size in pixels: `points` laid out at 96 dots per inch, whatever the
// screen's own setting, to the nearest pixel (14.25 points: 19 pixels).
int fontPixels(double points);

struct ControlLook {
  const char* name = "";
  ControlKind kind = ControlKind::label;
  LookBox box;
  // What it shows until something writes it (a text box: its first text).
  const char* caption = "";
  // None: the window system's own font for its kind of control.
  std::optional<LookFont> font = std::nullopt;
  Alignment alignment = Alignment::left;
  // The text's colour, red + 256 * green + 65536 * blue; none: the default.
  std::optional<int32_t> colour = std::nullopt;
  bool enabled = true;
  // The control as the rules write it, when they do.
  std::optional<Control> ruled = std::nullopt;
  // The row of the sound settings (1 music, to 5) it belongs to; 0 none.
  int row = 0;
};

struct WindowLook {
  const char* name = "";
  const char* caption = "";
  int width = 0;   // the client area
  int height = 0;
  // In the window's tab order, which is also the order they are made in (a
  // later control lies over an earlier one). Labels take no focus.
  std::span<const ControlLook> controls;
};

const WindowLook& mainWindowLook();
const WindowLook& soundMenuLook();

}  // namespace kinopa
