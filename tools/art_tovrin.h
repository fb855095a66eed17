#pragma once
// The tovrin: a round pale-yellow chick with a tall red crest, the catcher at
// the bottom of the field. The window icon is its face.
#include <QImage>

namespace kinopa::art {

inline constexpr int kTovrinCellW = 84;
inline constexpr int kTovrinCellH = 60;

// One 84 x 60 cell on white. Catching: wings up, eyes squeezed shut with
// joy, beak open.
QImage drawTovrinCell(bool facingRight, bool catching);

inline constexpr int kIconSize = 32;

// `size` x `size`, transparent around the face: at 32 the window icon, drawn
// pixel for pixel; larger sizes are the same face for the desktop's menus.
QImage drawIcon(int size = kIconSize);

}  // namespace kinopa::art
