#pragma once
// The two creatures of the sky: the zarup, a round pink puff on tiny wings
// that the tovrin keeps bouncing, and the melkit, a little lavender sky whale
// that drifts to and fro.
#include <QImage>

namespace kinopa::art {

inline constexpr int kZarupCellW = 64;
inline constexpr int kZarupCellH = 55;
inline constexpr int kZarupFrames = 4;

inline constexpr int kMelkitCellW = 100;
inline constexpr int kMelkitCellH = 40;
inline constexpr int kMelkitBands = 5;

// One zarup cell on white: `frame` 0 to 3 of its 400 ms wing beat.
QImage drawZarupCell(int frame);

// One melkit cell on white, swimming to the right. `band` 0 is the middle of
// the field (full speed) and 4 the edge near a wall (slowest).
QImage drawMelkitCell(int band);

}  // namespace kinopa::art
