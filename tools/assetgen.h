#pragma once
// The game's own asset generator: every picture and sound the game ships is
// drawn or synthesised here, deterministically.
#include <QString>

// Each writes its files into `dir` (which exists) and returns false after
// printing a message to stderr when a file cannot be written.

// window.jpg (600 x 600 mosaic), field.bmp (400 x 600, 8-bit palettized,
// bottom-up), kinopa.ico (32 x 32 icon), icon-32.png, icon-128.png and
// icon-256.png (the icon for the desktop).
bool drawWindowArt(const QString& dir);
// back.bmp, zarup.bmp, melkit.bmp, tovrin.bmp.
bool drawSpriteSheets(const QString& dir);
// text.bmp: the popup pictures.
bool drawTextSheet(const QString& dir);
// zarupok.wav, zarupfall.wav, melkitok.wav, melkitmiss.wav, music.wav.
bool synthesiseSounds(const QString& dir);
