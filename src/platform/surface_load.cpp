// Loading a Windows bitmap file into an off-screen surface. The file's
// headers are checked here first, because the image reader fills a short
// file's missing rows with garbage instead of failing.
#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/errors.h"
#include "platform/surface.h"

namespace kinopa {

namespace {

// The most pixels a loaded bitmap may have: 64 MB as a surface, far beyond
// any picture of the game.
constexpr int64_t kMaxPixels = int64_t{1} << 24;

// What the player is told: the pictures are loaded only at start, so a bad
// one means the game cannot start.
const char* const kMissing =
    QT_TRANSLATE_NOOP("kinopa", "The picture %1 is missing, so the game cannot start.");
const char* const kUnreadable =
    QT_TRANSLATE_NOOP("kinopa", "The picture %1 cannot be read, so the game cannot start.");
const char* const kUnusable = QT_TRANSLATE_NOOP(
    "kinopa", "The picture %1 is not a bitmap the game can use, so the game cannot start.");

[[noreturn]] void fail(const std::string& reason, const std::string& path,
                       const char* sentence = kUnusable) {
  throw PlatformError("DirectDraw7", "CreateSurfaceFromFile", reason + ": " + path,
                      {sentence, path});
}

uint32_t le16(const QByteArray& b, int at) {
  return static_cast<uint8_t>(b[at]) |
         (static_cast<uint32_t>(static_cast<uint8_t>(b[at + 1])) << 8);
}
uint32_t le32(const QByteArray& b, int at) { return le16(b, at) | (le16(b, at + 2) << 16); }

// Throws unless `data` starts like a Windows bitmap whose pixel data is all
// there. Only the layout is checked; decoding is the image reader's work.
void checkBitmapLayout(const QByteArray& data, const std::string& path) {
  constexpr int kFileHeader = 14;
  if (data.size() < kFileHeader + 4 || data[0] != 'B' || data[1] != 'M') {
    fail("not a Windows bitmap", path);
  }
  const uint32_t pixelsAt = le32(data, 10);
  const uint32_t headerSize = le32(data, kFileHeader);
  if (headerSize != 12 && headerSize < 40) fail("not a Windows bitmap", path);
  if (static_cast<int64_t>(data.size()) < kFileHeader + static_cast<int64_t>(headerSize)) {
    fail("truncated bitmap", path);
  }
  int64_t width = 0;
  int64_t height = 0;
  uint32_t bits = 0;
  uint32_t compression = 0;
  uint32_t imageSize = 0;
  if (headerSize == 12) {
    width = le16(data, 18);
    height = le16(data, 20);
    bits = le16(data, 24);
  } else {
    width = static_cast<int32_t>(le32(data, 18));
    height = static_cast<int32_t>(le32(data, 22));
    bits = le16(data, 28);
    compression = le32(data, 30);
    imageSize = le32(data, 34);
  }
  if (width <= 0 || height == 0) fail("bitmap has no pixels", path);
  // Refused before anything is decoded: the sizes below cannot overflow, and
  // a small damaged file cannot make the reader allocate gigabytes.
  const int64_t rows = std::llabs(height);
  if (width > Surface::kMaxSide || rows > Surface::kMaxSide || width * rows > kMaxPixels) {
    fail("bitmap too large", path);
  }
  int64_t needed = 0;
  if (compression == 0 || compression == 3) {  // plain rows, or rows with bit masks
    const int64_t rowBytes = (width * bits + 31) / 32 * 4;
    needed = rowBytes * rows;
  } else {  // run-length coded: the header states the coded size
    needed = imageSize;
  }
  if (static_cast<int64_t>(pixelsAt) + needed > static_cast<int64_t>(data.size())) {
    fail("truncated bitmap", path);
  }
}

QImage readBitmap(const std::string& path) {
  const QString name = QString::fromStdString(path);
  const QFileInfo info(name);
  if (!info.exists()) fail("file not found", path, kMissing);
  if (!info.isFile()) fail("not a file", path, kUnreadable);
  QFile file(name);
  if (!file.open(QIODevice::ReadOnly)) fail("cannot open file", path, kUnreadable);
  QByteArray data = file.readAll();
  if (file.error() != QFileDevice::NoError) fail("cannot read file", path, kUnreadable);
  checkBitmapLayout(data, path);

  QBuffer buffer(&data);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, "bmp");
  QImage image;
  if (!reader.read(&image)) {
    fail("unreadable bitmap (" + reader.errorString().toStdString() + ")", path);
  }
  return image.convertToFormat(QImage::Format_RGB32);
}

}  // namespace

std::shared_ptr<Surface> DirectDraw7::CreateSurfaceFromFile(const std::string& path,
                                                            SurfaceDesc& desc) {
  if ((desc.caps & DDSCAPS_PRIMARYSURFACE) != 0) {
    throw PlatformError("DirectDraw7", "CreateSurfaceFromFile",
                        "the screen cannot be loaded from a file: " + path);
  }
  const QImage image = readBitmap(path);
  auto surface = std::make_shared<Surface>(image.width(), image.height());
  for (int y = 0; y < image.height(); ++y) {
    const auto* row = reinterpret_cast<const uint32_t*>(image.constScanLine(y));
    uint32_t* out = surface->pixels() + static_cast<ptrdiff_t>(y) * image.width();
    for (int x = 0; x < image.width(); ++x) out[x] = row[x] | 0xff000000u;
  }

  // A size asked for in the description stretches the picture to it; a
  // size of 0 (or none asked for) keeps the bitmap's own.
  const bool askW = (desc.flags & DDSD_WIDTH) != 0 && desc.width != 0;
  const bool askH = (desc.flags & DDSD_HEIGHT) != 0 && desc.height != 0;
  const int32_t width = askW ? desc.width : surface->width();
  const int32_t height = askH ? desc.height : surface->height();
  if (width != surface->width() || height != surface->height()) {
    auto sized = std::make_shared<Surface>(width, height);
    sized->Blt({0, 0, width, height}, *surface, {0, 0, surface->width(), surface->height()},
               DDBLT_WAIT);
    surface = sized;
  }
  desc.width = width;
  desc.height = height;
  return surface;
}

}  // namespace kinopa
