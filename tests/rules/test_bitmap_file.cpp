// Bitmaps of every kind the loader reads, written byte by byte: each comes
// out pixel for pixel, at the size asked for in the description; files that
// are not whole bitmaps are refused with the reason and the path.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/errors.h"
#include "core/surface.h"

namespace kinopa {
namespace {

void put16(std::string& b, uint32_t v) {
  b.push_back(static_cast<char>(v & 0xff));
  b.push_back(static_cast<char>((v >> 8) & 0xff));
}
void put32(std::string& b, uint32_t v) {
  put16(b, v & 0xffff);
  put16(b, v >> 16);
}

// A bitmap file: the file header, an info header of 40 bytes (12 with
// `core`), then `extra` (masks, palette) and the pixel bytes.
std::string bitmap(int32_t width, int32_t height, int bits, uint32_t compression,
                   const std::string& extra, const std::string& pixels, bool core = false) {
  std::string info;
  if (core) {
    put32(info, 12);
    put16(info, static_cast<uint32_t>(width));
    put16(info, static_cast<uint32_t>(height));
    put16(info, 1);
    put16(info, static_cast<uint32_t>(bits));
  } else {
    put32(info, 40);
    put32(info, static_cast<uint32_t>(width));
    put32(info, static_cast<uint32_t>(height));
    put16(info, 1);
    put16(info, static_cast<uint32_t>(bits));
    put32(info, compression);
    put32(info, static_cast<uint32_t>(pixels.size()));
    put32(info, 2835);
    put32(info, 2835);
    put32(info, bits <= 8 ? static_cast<uint32_t>(extra.size() / 4) : 0);  // colours used
    put32(info, 0);
  }
  std::string file = "BM";
  put32(file, static_cast<uint32_t>(14 + info.size() + extra.size() + pixels.size()));
  put32(file, 0);
  put32(file, static_cast<uint32_t>(14 + info.size() + extra.size()));
  return file + info + extra + pixels;
}

std::string bytes(std::initializer_list<int> values) {
  std::string b;
  for (int v : values) b.push_back(static_cast<char>(v));
  return b;
}

// Palette entries blue, green, red(, 0).
std::string palette(std::initializer_list<uint32_t> colours, bool core = false) {
  std::string b;
  for (uint32_t c : colours) {
    b.push_back(static_cast<char>(c & 0xff));
    b.push_back(static_cast<char>((c >> 8) & 0xff));
    b.push_back(static_cast<char>((c >> 16) & 0xff));
    if (!core) b.push_back(0);
  }
  return b;
}

constexpr uint32_t R = 0xffff0000, G = 0xff00ff00, B = 0xff0000ff, W = 0xffffffff, K = 0xff000000;

struct Kind {
  const char* name;
  std::string file;
  int32_t width, height;
  std::vector<uint32_t> pixels;  // top row first
};

void PrintTo(const Kind& k, std::ostream* os) { *os << k.name; }

// A file of the temporary folder that goes with the object.
class ScratchFile {
 public:
  ScratchFile(const std::string& name, const std::string& bytes)
      : path_(std::filesystem::temp_directory_path() / ("kinopa-bitmap-" + name)) {
    std::ofstream(path_, std::ios::binary) << bytes;
  }
  ~ScratchFile() { std::filesystem::remove(path_); }
  std::string path() const { return path_.string(); }

 private:
  std::filesystem::path path_;
};

class BitmapKinds : public testing::TestWithParam<Kind> {};

TEST_P(BitmapKinds, LoadPixelForPixel) {
  const Kind& k = GetParam();
  const ScratchFile file(std::string(k.name) + ".bmp", k.file);
  DirectDraw7 dd;
  SurfaceDesc desc{DDSD_CAPS, 0, 0, DDSCAPS_OFFSCREENPLAIN};
  const auto surface = dd.CreateSurfaceFromFile(file.path(), desc);
  ASSERT_EQ(desc.width, k.width);
  ASSERT_EQ(desc.height, k.height);
  for (int32_t y = 0; y < k.height; ++y)
    for (int32_t x = 0; x < k.width; ++x)
      EXPECT_EQ(surface->pixel(x, y), k.pixels[static_cast<std::size_t>(y * k.width + x)])
          << x << "," << y;
}

// The game's own sheets come in 4, 8 and 24 bits, bottom-up, rows padded to
// 4 bytes.
const std::string kRgb24 =
    bitmap(3, 2, 24, 0, "", bytes({0, 0, 0, 255, 255, 255, 0, 0, 255, 0, 0, 0,
                                   0, 255, 0, 255, 0, 0, 0, 0, 0, 0, 0, 0}));

INSTANTIATE_TEST_SUITE_P(
    Table, BitmapKinds,
    testing::Values(
        Kind{"rgb24", kRgb24, 3, 2, {G, B, K, K, W, R}},
        Kind{"indexed8", bitmap(3, 1, 8, 0, palette({K, W, R}), bytes({2, 1, 2, 0})), 3, 1, {R, W, R}},
        Kind{"indexed4", bitmap(3, 1, 4, 0, palette({K, G, B}), bytes({0x12, 0x10, 0, 0})), 3, 1,
             {G, B, G}},
        // 32 bits, top-down (a negative height): B G R x.
        Kind{"rgb32_topdown",
             bitmap(2, -2, 32, 0, "",
                    bytes({0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0, 255, 255, 255, 0})),
             2, 2, {R, G, B, W}},
        // 16 bits 5-6-5 by bit masks, bottom-up; rows padded to 4 bytes.
        Kind{"rgb565",
             bitmap(1, 2, 16, 3, bytes({0, 248, 0, 0, 224, 7, 0, 0, 31, 0, 0, 0}),
                    bytes({0x1f, 0x00, 0, 0, 0x00, 0xf8, 0, 0})),
             1, 2, {R, B}},
        // 16 bits without masks: 5-5-5.
        Kind{"rgb555", bitmap(2, 1, 16, 0, "", bytes({0xe0, 0x03, 0xff, 0x7f})), 2, 1, {G, W}},
        // 1 bit a pixel.
        Kind{"mono", bitmap(3, 1, 1, 0, palette({K, W}), bytes({0xa0, 0, 0, 0})), 3, 1, {W, K, W}},
        // An old-style header: 12 bytes, palette entries of 3 bytes, all of
        // them there.
        Kind{"core1", bitmap(2, 1, 1, 0, palette({R, B}, true), bytes({0x40, 0, 0, 0}), true), 2,
             1, {R, B}},
        // Run-length coded, 8 bits: a run of 2, then a literal run of 3
        // (padded), end of line; a jump of one pixel right, one of index 1,
        // end of picture. Bottom-up; what the code leaves shows colour 0.
        Kind{"rle8",
             bitmap(5, 2, 8, 1, palette({K, R, G}),
                    bytes({2, 1, 0, 3, 2, 1, 2, 0, 0, 0, 0, 2, 1, 0, 1, 1, 0, 1})),
             5, 2, {K, R, K, K, K, R, R, G, R, G}},
        // Run-length coded, 4 bits: a run of 3 alternating 1 and 2, then a
        // literal run of 3 (indices 2, 1, 2), end of picture.
        Kind{"rle4",
             bitmap(6, 1, 4, 2, palette({K, R, G}), bytes({3, 0x12, 0, 3, 0x21, 0x20, 0, 1})), 6,
             1, {R, G, R, G, R, G}}));

TEST(BitmapFile, TheSizeAskedForInTheDescriptionStretchesThePicture) {
  const ScratchFile file("stretched.bmp", kRgb24);
  DirectDraw7 dd;
  SurfaceDesc desc{DDSD_CAPS + DDSD_HEIGHT + DDSD_WIDTH, 4, 6, DDSCAPS_OFFSCREENPLAIN};
  const auto surface = dd.CreateSurfaceFromFile(file.path(), desc);
  ASSERT_EQ(desc.width, 6);
  ASSERT_EQ(desc.height, 4);
  const uint32_t shown[] = {G, B, K, K, W, R};
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 6; ++x) EXPECT_EQ(surface->pixel(x, y), shown[(y / 2) * 3 + x / 2]);
}

TEST(BitmapFile, FilesThatAreNotWholeBitmapsAreRefusedNamingThePath) {
  // The good file claiming another size: damaged sizes must be refused
  // before anything is allocated or multiplied out.
  const auto sized = [](int32_t width, int32_t height) {
    std::string b = kRgb24;
    for (int i = 0; i < 4; ++i) {
      b[18 + i] = static_cast<char>(width >> (8 * i));
      b[22 + i] = static_cast<char>(height >> (8 * i));
    }
    return b;
  };
  const std::string files[] = {
      "", "just some text, not a picture", bytes({0x89, 'P', 'N', 'G', 13, 10, 26, 10, 0, 0, 0, 13}),
      kRgb24.substr(0, kRgb24.size() - 1), kRgb24.substr(0, 54), kRgb24.substr(0, 30),
      sized(0x7fffffff, -0x7fffffff - 1), sized(16385, 1), sized(5000, -5000)};
  DirectDraw7 dd;
  const auto refused = [&](const std::string& path) {
    SurfaceDesc desc{DDSD_CAPS, 0, 0, DDSCAPS_OFFSCREENPLAIN};
    try {
      dd.CreateSurfaceFromFile(path, desc);
      ADD_FAILURE() << path << " loaded";
    } catch (const PlatformError& e) {
      EXPECT_NE(std::string(e.what()).find(path), std::string::npos) << e.what();
    }
    EXPECT_EQ(desc.width, 0);  // nothing written back on failure
  };
  int n = 0;
  for (const std::string& file : files)
    refused(ScratchFile("bad" + std::to_string(n++) + ".bmp", file).path());
  refused((std::filesystem::temp_directory_path() / "kinopa-no-such.bmp").string());
  refused(std::filesystem::temp_directory_path().string() + "/");
}

}  // namespace
}  // namespace kinopa
