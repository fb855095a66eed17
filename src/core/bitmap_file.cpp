// Loading a Windows bitmap file into an off-screen surface. The file's
// headers are checked first, so that a short or damaged file is refused
// before a pixel is read and no size written in it can make us allocate
// much; then the pixels are decoded: palettes of 2, 16 or 256 colours (also
// run-length coded), 16, 24 and 32 bits a pixel, rows bottom-up or top-down.
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "core/errors.h"
#include "core/files.h"
#include "core/surface.h"

namespace kinopa {

namespace {

// The most pixels a loaded bitmap may have: 64 MB as a surface, far beyond
// any picture of the game.
constexpr int64_t kMaxPixels = int64_t{1} << 24;
constexpr int64_t kFileHeader = 14;

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

uint32_t le16(const std::string& b, int64_t at) {
  return static_cast<uint8_t>(b[static_cast<std::size_t>(at)]) |
         (static_cast<uint32_t>(static_cast<uint8_t>(b[static_cast<std::size_t>(at + 1)])) << 8);
}
uint32_t le32(const std::string& b, int64_t at) { return le16(b, at) | (le16(b, at + 2) << 16); }

// What the headers say, checked.
struct Layout {
  int64_t width = 0, rows = 0;
  bool topDown = false;
  uint32_t bits = 0, compression = 0;
  int64_t pixelsAt = 0, codedSize = 0;
  std::vector<uint32_t> palette;        // 0xffRRGGBB
  uint32_t masks[3] = {0, 0, 0};        // red, green, blue
};

enum Compression : uint32_t { kPlain = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3 };

Layout readLayout(const std::string& data, const std::string& path) {
  const auto size = static_cast<int64_t>(data.size());
  if (size < kFileHeader + 4 || data[0] != 'B' || data[1] != 'M') fail("not a Windows bitmap", path);
  Layout l;
  l.pixelsAt = le32(data, 10);
  const int64_t headerSize = le32(data, kFileHeader);
  if (headerSize != 12 && headerSize < 40) fail("not a Windows bitmap", path);
  if (size < kFileHeader + headerSize) fail("truncated bitmap", path);
  int64_t height = 0;
  uint32_t colours = 0;
  if (headerSize == 12) {
    l.width = le16(data, 18);
    height = le16(data, 20);
    l.bits = le16(data, 24);
  } else {
    l.width = static_cast<int32_t>(le32(data, 18));
    height = static_cast<int32_t>(le32(data, 22));
    l.bits = le16(data, 28);
    l.compression = le32(data, 30);
    l.codedSize = le32(data, 34);
    colours = le32(data, 46);
  }
  if (l.width <= 0 || height == 0) fail("bitmap has no pixels", path);
  l.topDown = height < 0;
  l.rows = std::llabs(height);
  // Refused before anything is decoded: the sizes below cannot overflow.
  if (l.width > Surface::kMaxSide || l.rows > Surface::kMaxSide || l.width * l.rows > kMaxPixels)
    fail("bitmap too large", path);

  const bool known = (l.compression == kPlain &&
                      (l.bits == 1 || l.bits == 4 || l.bits == 8 || l.bits == 16 || l.bits == 24 ||
                       l.bits == 32)) ||
                     (l.compression == kRle8 && l.bits == 8) ||
                     (l.compression == kRle4 && l.bits == 4) ||
                     (l.compression == kBitFields && (l.bits == 16 || l.bits == 32));
  if (!known || (l.compression != kPlain && l.topDown)) fail("a kind of bitmap not read here", path);

  int64_t after = kFileHeader + headerSize;  // the bit masks or the palette follow
  if (l.compression == kBitFields) {
    const int64_t at = headerSize >= 52 ? kFileHeader + 40 : after;
    if (size < at + 12) fail("truncated bitmap", path);
    for (int i = 0; i < 3; ++i) l.masks[i] = le32(data, at + 4 * i);
    if (headerSize < 52) after += 12;
  } else if (l.bits == 16) {
    l.masks[0] = 0x7c00, l.masks[1] = 0x03e0, l.masks[2] = 0x001f;
  } else if (l.bits == 32) {
    l.masks[0] = 0xff0000, l.masks[1] = 0x00ff00, l.masks[2] = 0x0000ff;
  }
  if (l.bits <= 8) {
    const int64_t most = int64_t{1} << l.bits;
    const int64_t count = colours == 0 || colours > most ? most : colours;
    const int64_t entry = headerSize == 12 ? 3 : 4;
    if (size < after + count * entry) fail("truncated bitmap", path);
    for (int64_t i = 0; i < count; ++i) {
      const int64_t at = after + i * entry;
      const auto byte = [&](int64_t k) { return static_cast<uint8_t>(data[static_cast<std::size_t>(at + k)]); };
      l.palette.push_back(0xff000000u | (uint32_t{byte(2)} << 16) | (uint32_t{byte(1)} << 8) | byte(0));
    }
  }
  const int64_t needed = l.compression == kRle8 || l.compression == kRle4
                             ? l.codedSize  // run-length coded: the header states the coded size
                             : (l.width * l.bits + 31) / 32 * 4 * l.rows;
  if (l.pixelsAt < kFileHeader || l.pixelsAt + needed > size) fail("truncated bitmap", path);
  return l;
}

uint32_t paletteColour(const Layout& l, uint32_t index) {
  return index < l.palette.size() ? l.palette[index] : 0xff000000u;
}

// A channel under `mask`, widened to 8 bits by repeating its high bits.
uint32_t channel(uint32_t pixel, uint32_t mask) {
  if (mask == 0) return 0;
  const int shift = std::countr_zero(mask);
  const int width = std::popcount(mask);
  uint32_t v = (pixel & mask) >> shift;
  if (width >= 8) return v >> (width - 8);
  uint32_t wide = 0;
  for (int filled = 0; filled < 8; filled += width) wide = (wide << width) | v;
  return (wide >> (((8 + width - 1) / width) * width - 8)) & 0xff;
}

void decodeRows(const std::string& data, const Layout& l, std::vector<uint32_t>& out) {
  const int64_t rowBytes = (l.width * l.bits + 31) / 32 * 4;
  for (int64_t r = 0; r < l.rows; ++r) {
    const int64_t y = l.topDown ? r : l.rows - 1 - r;
    const int64_t at = l.pixelsAt + r * rowBytes;
    uint32_t* row = out.data() + y * l.width;
    for (int64_t x = 0; x < l.width; ++x) {
      const auto byte = [&](int64_t k) { return static_cast<uint8_t>(data[static_cast<std::size_t>(at + k)]); };
      uint32_t colour = 0;
      if (l.bits <= 8) {
        const int64_t bit = x * l.bits;
        const uint32_t index = (byte(bit / 8) >> (8 - l.bits - bit % 8)) & ((1u << l.bits) - 1);
        colour = paletteColour(l, index);
      } else if (l.bits == 24) {
        colour = (uint32_t{byte(3 * x + 2)} << 16) | (uint32_t{byte(3 * x + 1)} << 8) | byte(3 * x);
      } else {
        const uint32_t p = l.bits == 16 ? le16(data, at + 2 * x) : le32(data, at + 4 * x);
        colour = (channel(p, l.masks[0]) << 16) | (channel(p, l.masks[1]) << 8) | channel(p, l.masks[2]);
      }
      row[x] = 0xff000000u | colour;
    }
  }
}

// Run-length coded rows, bottom-up: pairs of a count and a colour index,
// and escapes for the end of a row, of the picture, a jump and literal runs.
// Whatever the code leaves unpainted shows the palette's first colour.
void decodeRuns(const std::string& data, const Layout& l, std::vector<uint32_t>& out,
                const std::string& path) {
  std::fill(out.begin(), out.end(), paletteColour(l, 0));
  const int64_t end = l.pixelsAt + l.codedSize;
  int64_t at = l.pixelsAt, x = 0, y = 0;
  const auto next = [&] {
    if (at >= end) fail("truncated bitmap", path);
    return static_cast<uint8_t>(data[static_cast<std::size_t>(at++)]);
  };
  const auto put = [&](uint32_t index) {
    if (x < l.width && y < l.rows) out[static_cast<std::size_t>((l.rows - 1 - y) * l.width + x)] = paletteColour(l, index);
    ++x;
  };
  const bool four = l.compression == kRle4;
  while (at < end && y < l.rows) {
    const uint8_t count = next();
    const uint8_t value = next();
    if (count > 0) {
      for (int i = 0; i < count; ++i) put(four ? (i % 2 == 0 ? value >> 4 : value & 15) : value);
    } else if (value == 0) {
      x = 0, ++y;
    } else if (value == 1) {
      return;
    } else if (value == 2) {
      x += next();
      y += next();
    } else {
      const int bytes = four ? (value + 1) / 2 : value;
      for (int i = 0, b = 0; i < value; ++i) {
        if (!four || i % 2 == 0) b = next();
        put(four ? (i % 2 == 0 ? b >> 4 : b & 15) : b);
      }
      if (bytes % 2 == 1) next();  // runs are padded to whole 16-bit words
    }
  }
}

}  // namespace

std::shared_ptr<Surface> DirectDraw7::CreateSurfaceFromFile(const std::string& path,
                                                            SurfaceDesc& desc) {
  if ((desc.caps & DDSCAPS_PRIMARYSURFACE) != 0) {
    throw PlatformError("DirectDraw7", "CreateSurfaceFromFile",
                        "the screen cannot be loaded from a file: " + path);
  }
  std::error_code error;
  const auto kind = std::filesystem::status(path, error).type();
  if (kind == std::filesystem::file_type::not_found) fail("file not found", path, kMissing);
  if (kind != std::filesystem::file_type::regular) fail("not a file", path, kUnreadable);
  std::string data;
  try {
    data = readWholeFile(path);
  } catch (const Error& e) {
    fail("cannot read file (" + e.description() + ")", path, kUnreadable);
  }
  const Layout layout = readLayout(data, path);
  auto surface = std::make_shared<Surface>(static_cast<int32_t>(layout.width),
                                           static_cast<int32_t>(layout.rows));
  std::vector<uint32_t> pixels(static_cast<std::size_t>(layout.width * layout.rows));
  if (layout.compression == kRle8 || layout.compression == kRle4) {
    decodeRuns(data, layout, pixels, path);
  } else {
    decodeRows(data, layout, pixels);
  }
  std::copy(pixels.begin(), pixels.end(), surface->pixels());

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
