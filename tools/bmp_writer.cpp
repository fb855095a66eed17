#include "bmp_writer.h"

#include <QBuffer>
#include <QDir>
#include <QHash>
#include <QImageWriter>
#include <QSaveFile>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace kinopa::art {
namespace {

constexpr int kFileHeaderSize = 14;
constexpr int kInfoHeaderSize = 40;
constexpr int kPixelsPerMetre = 3780;  // 96 dots per inch

void put16(QByteArray& out, std::uint16_t v) {
  out.append(char(v & 0xff));
  out.append(char(v >> 8));
}

void put32(QByteArray& out, std::uint32_t v) {
  for (int shift = 0; shift < 32; shift += 8) out.append(char((v >> shift) & 0xff));
}

int paddedRowBytes(int width, int bitsPerPixel) { return ((width * bitsPerPixel + 31) / 32) * 4; }

void putFileHeader(QByteArray& out, std::uint32_t fileSize, std::uint32_t pixelOffset) {
  out.append("BM", 2);
  put32(out, fileSize);
  put32(out, 0);  // reserved
  put32(out, pixelOffset);
}

// BITMAPINFOHEADER; a positive height means the rows are stored bottom-up.
void putInfoHeader(QByteArray& out, int width, int height, int bitsPerPixel,
                   std::uint32_t imageSize, std::uint32_t paletteSize) {
  put32(out, kInfoHeaderSize);
  put32(out, std::uint32_t(width));
  put32(out, std::uint32_t(height));
  put16(out, 1);  // planes
  put16(out, std::uint16_t(bitsPerPixel));
  put32(out, 0);  // no compression
  put32(out, imageSize);
  put32(out, kPixelsPerMetre);
  put32(out, kPixelsPerMetre);
  put32(out, paletteSize);
  put32(out, 0);  // all colours important
}

// The picture's colours in order of first appearance, and every pixel's
// index into that list. False when there are more than `limit` colours.
bool buildPalette(const QImage& image, int limit, std::vector<QRgb>& palette,
                  std::vector<std::uint8_t>& indices, const std::vector<bool>* skip = nullptr) {
  QHash<QRgb, int> known;
  indices.assign(std::size_t(image.width()) * std::size_t(image.height()), 0);
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const std::size_t at = std::size_t(y) * std::size_t(image.width()) + std::size_t(x);
      if (skip && (*skip)[at]) continue;
      const QRgb colour = image.pixel(x, y) | 0xff000000u;
      auto it = known.find(colour);
      if (it == known.end()) {
        if (int(palette.size()) >= limit) return false;
        it = known.insert(colour, int(palette.size()));
        palette.push_back(colour);
      }
      indices[at] = std::uint8_t(it.value());
    }
  }
  return true;
}

void putPalette(QByteArray& out, const std::vector<QRgb>& palette) {
  for (int i = 0; i < 256; ++i) {
    const QRgb c = i < int(palette.size()) ? palette[std::size_t(i)] : 0;
    out.append(char(qBlue(c)));
    out.append(char(qGreen(c)));
    out.append(char(qRed(c)));
    out.append(char(0));
  }
}

}  // namespace

QByteArray encodeBmp24(const QImage& image) {
  const int w = image.width(), h = image.height();
  const int rowBytes = paddedRowBytes(w, 24);
  const std::uint32_t imageSize = std::uint32_t(rowBytes * h);
  const std::uint32_t offset = kFileHeaderSize + kInfoHeaderSize;
  QByteArray out;
  out.reserve(int(offset + imageSize));
  putFileHeader(out, offset + imageSize, offset);
  putInfoHeader(out, w, h, 24, imageSize, 0);
  for (int y = h - 1; y >= 0; --y) {
    for (int x = 0; x < w; ++x) {
      const QRgb c = image.pixel(x, y);
      out.append(char(qBlue(c)));
      out.append(char(qGreen(c)));
      out.append(char(qRed(c)));
    }
    out.append(QByteArray(rowBytes - 3 * w, '\0'));
  }
  return out;
}

QByteArray encodeBmp8(const QImage& image) {
  std::vector<QRgb> palette;
  std::vector<std::uint8_t> indices;
  if (!buildPalette(image, 256, palette, indices)) return {};
  const int w = image.width(), h = image.height();
  const int rowBytes = paddedRowBytes(w, 8);
  const std::uint32_t imageSize = std::uint32_t(rowBytes * h);
  const std::uint32_t offset = kFileHeaderSize + kInfoHeaderSize + 256 * 4;
  QByteArray out;
  out.reserve(int(offset + imageSize));
  putFileHeader(out, offset + imageSize, offset);
  putInfoHeader(out, w, h, 8, imageSize, 256);
  putPalette(out, palette);
  for (int y = h - 1; y >= 0; --y) {
    out.append(reinterpret_cast<const char*>(&indices[std::size_t(y) * std::size_t(w)]), w);
    out.append(QByteArray(rowBytes - w, '\0'));
  }
  return out;
}

QByteArray encodeIco8(const QImage& image) {
  const int w = image.width(), h = image.height();
  if (w < 1 || h < 1 || w > 256 || h > 256) return {};
  const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
  std::vector<bool> clear(std::size_t(w) * std::size_t(h));
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) clear[std::size_t(y * w + x)] = qAlpha(argb.pixel(x, y)) < 128;
  // Index 0 is kept for the transparent pixels (black under the mask).
  std::vector<QRgb> palette{0xff000000u};
  std::vector<std::uint8_t> indices;
  if (!buildPalette(argb, 256, palette, indices, &clear)) return {};
  const int colourRow = paddedRowBytes(w, 8), maskRow = paddedRowBytes(w, 1);
  const std::uint32_t bitmapSize =
      kInfoHeaderSize + 256 * 4 + std::uint32_t(colourRow * h + maskRow * h);
  QByteArray out;
  put16(out, 0);  // icon directory: reserved, type 1 (icon), one image
  put16(out, 1);
  put16(out, 1);
  out.append(char(w == 256 ? 0 : w));
  out.append(char(h == 256 ? 0 : h));
  out.append(char(0));  // 256 colours
  out.append(char(0));
  put16(out, 1);  // planes
  put16(out, 8);  // bits per pixel
  put32(out, bitmapSize);
  put32(out, 6 + 16);
  // The image's header counts colour and mask rows together: twice the height.
  putInfoHeader(out, w, 2 * h, 8, std::uint32_t(colourRow * h + maskRow * h), 256);
  putPalette(out, palette);
  for (int y = h - 1; y >= 0; --y) {
    for (int x = 0; x < w; ++x) {
      const std::size_t at = std::size_t(y * w + x);
      out.append(char(clear[at] ? 0 : indices[at]));
    }
    out.append(QByteArray(colourRow - w, '\0'));
  }
  for (int y = h - 1; y >= 0; --y) {
    QByteArray row(maskRow, '\0');
    for (int x = 0; x < w; ++x)
      if (clear[std::size_t(y * w + x)]) row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
    out.append(row);
  }
  return out;
}

QByteArray encodePng(const QImage& image) {
  QByteArray out;
  QBuffer buffer(&out);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "png");
  if (!writer.write(image)) {
    std::fprintf(stderr, "cannot encode PNG: %s\n", qPrintable(writer.errorString()));
    return {};
  }
  return out;
}

QByteArray encodeJpeg(const QImage& image, int quality) {
  QByteArray out;
  QBuffer buffer(&out);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "jpeg");
  writer.setQuality(quality);
  if (!writer.write(image.convertToFormat(QImage::Format_RGB32))) {
    std::fprintf(stderr, "cannot encode JPEG: %s\n", qPrintable(writer.errorString()));
    return {};
  }
  return out;
}

bool writeWhole(const QString& dir, const QString& name, const QByteArray& bytes) {
  const QString path = QDir(dir).filePath(name);
  if (bytes.isEmpty()) {
    std::fprintf(stderr, "cannot encode %s\n", qPrintable(path));
    return false;
  }
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
    std::fprintf(stderr, "cannot write %s: %s\n", qPrintable(path), qPrintable(file.errorString()));
    return false;
  }
  return true;
}

}  // namespace kinopa::art
