// Loading Windows bitmaps into surfaces: the kinds the game's sheets come in,
// the size written back into the description, and files that must not load.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QColor>
#include <QFile>
#include <QImage>
#include <QList>
#include <QTemporaryDir>
#include <string>
#include <vector>

#include "core/errors.h"
#include "core/surface.h"
#include "surface_test_util.h"

namespace kinopa {
namespace {

using namespace testing_surface;

// Colours of a 5 x 3 test picture (odd width: rows need padding on disk).
uint32_t colourAt(int x, int y) {
  const uint32_t palette[] = {0xffffffffu, 0xff000000u, 0xffff0000u, 0xff00ff00u,
                              0xff0000ffu, 0xff808040u, 0xff102030u};
  return palette[(x + 2 * y) % 7];
}

class BitmapFiles : public ::testing::Test {
 protected:
  std::string path(const char* name) const { return dir_.filePath(name).toStdString(); }

  // Writes the test picture as a bitmap with the given bits per pixel:
  // 24 true colour, or 4 or 8 with a palette of 16 or 256 entries (the
  // writer picks the depth from the palette's size); returns its path.
  std::string writePicture(const char* name, int bits) {
    QImage image(5, 3, QImage::Format_RGB32);
    if (bits == 24) {
      for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) image.setPixel(x, y, colourAt(x, y));
    } else {
      image = QImage(5, 3, QImage::Format_Indexed8);
      QList<QRgb> table(bits == 8 ? 256 : 16, 0xff000000u);
      for (int i = 0; i < 7; ++i) table[bits == 8 ? 250 - 40 * i : 15 - 2 * i] = colourAt(i, 0);
      image.setColorTable(table);
      for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) image.setPixel(x, y, table.indexOf(colourAt(x, y)));
    }
    EXPECT_TRUE(image.save(dir_.filePath(name), "BMP"));
    return path(name);
  }

  std::string writeBytes(const char* name, const QByteArray& bytes) {
    QFile f(dir_.filePath(name));
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    return path(name);
  }

  static QByteArray bytesOf(const std::string& file) {
    QFile f(QString::fromStdString(file));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return f.readAll();
  }

  QTemporaryDir dir_;
  DirectDraw7 dd_;
};

TEST_F(BitmapFiles, PalettizedAndTrueColourBitmapsLoadPixelForPixel) {
  struct Case {
    const char* name;
    int bits;
    int descFlags;
  };
  const Case cases[] = {{"indexed8.bmp", 8, DDSD_CAPS},
                        {"indexed4.bmp", 4, DDSD_CAPS},
                        {"rgb.bmp", 24, DDSD_CAPS + DDSD_HEIGHT + DDSD_WIDTH}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string file = writePicture(c.name, c.bits);
    ASSERT_EQ(static_cast<uint8_t>(bytesOf(file)[28]), c.bits);  // the kind really written
    SurfaceDesc desc{c.descFlags, 0, 0, DDSCAPS_OFFSCREENPLAIN};
    const auto surface = dd_.CreateSurfaceFromFile(file, desc);
    EXPECT_EQ(desc.width, 5);
    EXPECT_EQ(desc.height, 3);
    ASSERT_EQ(surface->width(), 5);
    ASSERT_EQ(surface->height(), 3);
    EXPECT_FALSE(surface->isPrimary());
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 5; ++x) EXPECT_EQ(surface->pixel(x, y), colourAt(x, y)) << x << "," << y;
  }
}

TEST_F(BitmapFiles, LoadedWhiteIsTransparentOnceKeyed) {
  SurfaceDesc desc{DDSD_CAPS, 0, 0, DDSCAPS_OFFSCREENPLAIN};
  auto sheet = dd_.CreateSurfaceFromFile(writePicture("sheet.bmp", 8), desc);
  sheet->SetColorKey(DDCKEY_SRCBLT, {kWhite, kWhite});
  Surface back(5, 3);
  fillWith(back, 0xff336699u);
  ASSERT_EQ(back.BltFast(0, 0, *sheet, {0, 0, 5, 3}, DDBLTFAST_WAIT + DDBLTFAST_SRCCOLORKEY), 0);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x)
      EXPECT_EQ(back.pixel(x, y), colourAt(x, y) == kWhitePixel ? 0xff336699u : colourAt(x, y));
}

TEST_F(BitmapFiles, SizeAskedForInTheDescriptionStretchesThePicture) {
  SurfaceDesc desc{DDSD_CAPS + DDSD_HEIGHT + DDSD_WIDTH, 6, 10, DDSCAPS_OFFSCREENPLAIN};
  const auto surface = dd_.CreateSurfaceFromFile(writePicture("big.bmp", 24), desc);
  EXPECT_EQ(desc.width, 10);
  EXPECT_EQ(desc.height, 6);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 10; ++x) EXPECT_EQ(surface->pixel(x, y), colourAt(x / 2, y / 2));
}

TEST_F(BitmapFiles, FilesThatAreNotWholeBitmapsThrowNamingReasonAndPath) {
  const QByteArray good = bytesOf(writePicture("good.bmp", 24));
  QImage png(4, 4, QImage::Format_RGB32);
  png.fill(Qt::red);
  png.save(dir_.filePath("picture.png"), "PNG");
  QByteArray headerOnly = good.left(54);
  // The good file claiming another size; damaged sizes must be refused
  // before anything is allocated or multiplied out.
  auto sized = [&](int32_t width, int32_t height) {
    QByteArray b = good;
    for (int i = 0; i < 4; ++i) {
      b[18 + i] = static_cast<char>(width >> (8 * i));
      b[22 + i] = static_cast<char>(height >> (8 * i));
    }
    return b;
  };

  struct Case {
    std::string file;
    std::string reason;
  };
  const std::vector<Case> cases = {
      {path("missing.bmp"), "file not found"},
      {path(""), "not a file"},  // the folder itself
      {writeBytes("empty.bmp", QByteArray()), "not a Windows bitmap"},
      {writeBytes("text.bmp", QByteArray("just some text, not a picture")), "not a Windows bitmap"},
      {path("picture.png"), "not a Windows bitmap"},
      {writeBytes("cut.bmp", good.left(good.size() - 1)), "truncated bitmap"},
      {writeBytes("header.bmp", headerOnly), "truncated bitmap"},
      {writeBytes("cutheader.bmp", good.left(30)), "truncated bitmap"},
      {writeBytes("huge.bmp", sized(0x7fffffff, -0x7fffffff - 1)), "bitmap too large"},
      {writeBytes("wide.bmp", sized(16385, 1)), "bitmap too large"},
      {writeBytes("many.bmp", sized(5000, -5000)), "bitmap too large"},
  };
  for (const Case& c : cases) {
    SurfaceDesc desc{DDSD_CAPS, 0, 0, DDSCAPS_OFFSCREENPLAIN};
    try {
      dd_.CreateSurfaceFromFile(c.file, desc);
      ADD_FAILURE() << c.file << " loaded";
    } catch (const PlatformError& e) {
      EXPECT_EQ(e.object(), "DirectDraw7");
      EXPECT_EQ(e.operation(), "CreateSurfaceFromFile");
      const std::string what = e.what();
      EXPECT_NE(what.find(c.reason + ": " + c.file), std::string::npos) << what;
    }
    EXPECT_EQ(desc.width, 0);  // nothing written back on failure
  }
}

TEST_F(BitmapFiles, ScreenDescriptionCannotBeLoaded) {
  SurfaceDesc desc{DDSD_CAPS, 0, 0, DDSCAPS_PRIMARYSURFACE};
  EXPECT_THROW(dd_.CreateSurfaceFromFile(writePicture("p.bmp", 24), desc), PlatformError);
}

}  // namespace
}  // namespace kinopa
