#pragma once
// The meadow the game is played in: pale sky, a big smiling sun peeking in
// at the upper right, a few clouds and a band of wavy grass with flowers.
// Flat fills only, in a handful of exact colours.
#include <QImage>
#include <QRgb>

namespace kinopa::art {

inline constexpr int kSceneWidth = 400;
inline constexpr int kSceneHeight = 600;

inline constexpr QRgb kSky = 0xffcbfefe;    // 203, 254, 254
inline constexpr QRgb kSun = 0xfffecb00;    // 254, 203, 0
inline constexpr QRgb kGrass = 0xff00cb00;  // 0, 203, 0

// Lowest and highest row of the grass's wavy top edge.
inline constexpr int kGrassTopMin = 510;
inline constexpr int kGrassTopMax = 524;

// The whole 400 x 600 scene, in at most a few dozen colours.
QImage drawMeadow();

}  // namespace kinopa::art
