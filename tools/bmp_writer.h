#pragma once
// Writers for the picture files the generator ships. Each writes the whole
// file or nothing (a failed write leaves any earlier file in place), and on
// failure prints what went wrong to stderr and returns false.
#include <QByteArray>
#include <QImage>
#include <QString>

namespace kinopa::art {

// Windows bitmap, 24 bits per pixel, bottom-up, 96 dots per inch.
QByteArray encodeBmp24(const QImage& image);

// Windows bitmap, 8 bits per pixel with a 256-entry palette, bottom-up,
// 96 dots per inch. The palette lists the picture's colours in the order
// they first appear (top row first); the picture must use at most 256.
// Returns an empty array when it uses more.
QByteArray encodeBmp8(const QImage& image);

// Icon file holding one image of at most 256 x 256 pixels, 8 bits per pixel
// with a transparency mask: pixels with alpha below 128 are transparent, the
// others are taken as opaque. At most 255 opaque colours; empty when more.
QByteArray encodeIco8(const QImage& image);

// PNG with its alpha channel.
QByteArray encodePng(const QImage& image);

// JPEG at the given quality (0-100).
QByteArray encodeJpeg(const QImage& image, int quality);

// Writes `bytes` to dir/name in one piece. An empty `bytes` counts as an
// encoding failure and writes nothing.
bool writeWhole(const QString& dir, const QString& name, const QByteArray& bytes);

}  // namespace kinopa::art
