#pragma once
// The fonts of the window's labels, served by the IPA fonts.
#include <QFont>

namespace kinopa {

// The interface's Japanese font names are served by the IPA fonts.
void installFontSubstitutes();

// A font `pixels` high (the window look's points at 96 dots per inch,
// fontPixels), so text keeps its size in pixels whatever the screen's own
// setting; the window system scales it with the rest of the window on a
// scaled display.
QFont layoutFont(const char* family, int pixels, bool bold);

}  // namespace kinopa
