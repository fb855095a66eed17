// Copies between surfaces: plain and colour-keyed, refusals at the edges,
// nearest-pixel stretching, and presenting on the screen.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "core/errors.h"
#include "core/surface.h"
#include "surface_test_util.h"

namespace kinopa {
namespace {

using namespace testing_surface;

TEST(SurfaceCopy, PlainCopyMovesExactlyTheSourceRectangle) {
  Surface src(10, 8);
  fillTagged(src);
  Surface dst(20, 20);
  ASSERT_EQ(dst.BltFast(3, 4, src, {2, 1, 7, 5}, DDBLTFAST_WAIT), 0);
  for (int32_t y = 0; y < 20; ++y) {
    for (int32_t x = 0; x < 20; ++x) {
      const bool inside = x >= 3 && x < 8 && y >= 4 && y < 8;
      EXPECT_EQ(dst.pixel(x, y), inside ? tag(x - 3 + 2, y - 4 + 1) : kBlack) << x << "," << y;
    }
  }
}

TEST(SurfaceCopy, KeyedCopySkipsExactlyTheKeyColour) {
  // 13 columns: whole groups of pixels and a remainder on every row.
  Surface src(13, 3);
  fillTagged(src);
  for (int32_t x = 0; x < 13; x += 3) src.pixels()[x] = kWhitePixel;
  src.pixels()[13 + 5] = kWhitePixel;
  src.pixels()[2 * 13 + 12] = kWhitePixel;
  src.pixels()[2 * 13 + 1] = 0xfffffffeu;  // almost white is copied
  src.SetColorKey(DDCKEY_SRCBLT, {kWhite, kWhite});
  const uint32_t ground = 0xff123456u;

  struct Case {
    int32_t flags;
    bool whiteSkipped;
  };
  for (const Case c : {Case{DDBLTFAST_WAIT + DDBLTFAST_SRCCOLORKEY, true},
                       Case{DDBLTFAST_SRCCOLORKEY, true}, Case{DDBLTFAST_WAIT, false}}) {
    Surface dst(13, 3);
    fillWith(dst, ground);
    ASSERT_EQ(dst.BltFast(0, 0, src, {0, 0, 13, 3}, c.flags), 0);
    for (int32_t y = 0; y < 3; ++y) {
      for (int32_t x = 0; x < 13; ++x) {
        const uint32_t s = src.pixel(x, y);
        const uint32_t want = (s == kWhitePixel && c.whiteSkipped) ? ground : s;
        EXPECT_EQ(dst.pixel(x, y), want) << "flags " << c.flags << " at " << x << "," << y;
      }
    }
  }
}

// A 63 x 54 zarup cell onto a 400 x 600 back surface: flush with each edge is
// drawn, one pixel further is refused whole.
TEST(SurfaceCopy, DestinationRefusedOnePixelPastEachEdge) {
  Surface sheet(256, 55);
  fillTagged(sheet);
  struct Case {
    int32_t x, y;
    bool drawn;
  };
  const Case cases[] = {{0, 0, true},    {337, 0, true},    {338, 0, false},
                        {-1, 0, false},  {0, 546, true},    {0, 547, false},
                        {0, -1, false},  {337, 546, true},  {338, 547, false},
                        {-63, 0, false}, {400, 600, false}, {INT32_MAX, 0, false}};
  for (const Case& c : cases) {
    Surface back(400, 600);
    const int32_t r = back.BltFast(c.x, c.y, sheet, {64, 0, 127, 54}, DDBLTFAST_WAIT);
    EXPECT_EQ(r, c.drawn ? 0 : DDERR_INVALIDRECT) << c.x << "," << c.y;
    if (c.drawn) {
      EXPECT_EQ(back.pixel(c.x, c.y), tag(64, 0));
      EXPECT_EQ(back.pixel(c.x + 62, c.y + 53), tag(126, 53));
    } else {
      EXPECT_EQ(snapshot(back), snapshot(Surface(400, 600))) << c.x << "," << c.y;
    }
  }
}

TEST(SurfaceCopy, SourceRectangleLeavingTheSourceOrEmptyIsRefused) {
  Surface src(64, 55);
  fillTagged(src);
  struct Case {
    Rect r;
    bool drawn;
  };
  const Case cases[] = {{{0, 0, 64, 55}, true},   {{-1, 0, 10, 10}, false},
                        {{0, -1, 10, 10}, false}, {{54, 0, 65, 10}, false},
                        {{0, 45, 10, 56}, false}, {{5, 5, 5, 10}, false},
                        {{5, 5, 10, 5}, false},   {{10, 0, 5, 5}, false}};
  for (const Case& c : cases) {
    Surface dst(100, 100);
    EXPECT_EQ(dst.BltFast(1, 1, src, c.r, DDBLTFAST_WAIT), c.drawn ? 0 : DDERR_INVALIDRECT);
    Surface stretched(100, 100);
    EXPECT_EQ(stretched.Blt({0, 0, 100, 100}, src, c.r, DDBLT_WAIT),
              c.drawn ? 0 : DDERR_INVALIDRECT);
    if (!c.drawn) {
      EXPECT_EQ(snapshot(dst), snapshot(Surface(100, 100)));
      EXPECT_EQ(snapshot(stretched), snapshot(Surface(100, 100)));
    }
  }
}

// Destination pixel i shows source pixel floor((i + 0.5) * srcLength / dstLength).
TEST(SurfaceStretch, MappingTable) {
  struct Case {
    int32_t srcLength, dstLength;
    std::vector<int32_t> sources;
  };
  const Case cases[] = {
      {2, 4, {0, 0, 1, 1}},  // doubling repeats each pixel
      {3, 7, {0, 0, 1, 1, 1, 2, 2}},
      {8, 4, {1, 3, 5, 7}},  // halving takes the pixel under each centre
      {5, 2, {1, 3}},
      {1, 3, {0, 0, 0}},
      {4, 1, {2}},
  };
  for (const Case& c : cases) {
    Surface src(c.srcLength, c.srcLength);
    fillTagged(src);
    Surface dst(c.dstLength + 2, c.dstLength + 2);
    ASSERT_EQ(dst.Blt({1, 1, c.dstLength + 1, c.dstLength + 1}, src,
                      {0, 0, c.srcLength, c.srcLength}, DDBLT_WAIT),
              0);
    for (int32_t i = 0; i < c.dstLength; ++i) {
      for (int32_t j = 0; j < c.dstLength; ++j)
        EXPECT_EQ(dst.pixel(1 + i, 1 + j), tag(c.sources[i], c.sources[j]))
            << c.srcLength << "->" << c.dstLength << " at " << i << "," << j;
    }
    EXPECT_EQ(dst.pixel(0, 0), kBlack);  // nothing outside the destination
    EXPECT_EQ(dst.pixel(c.dstLength + 1, c.dstLength + 1), kBlack);
  }
}

// Screen pixels at a finer scale than the frame: each shows the frame pixel
// under its centre, which shows the source pixel under its own centre.
TEST(SurfaceStretch, ScreenPixelsThroughTheFrame) {
  struct Case {
    int32_t source, frame, device, from, count;
    std::vector<int32_t> shown;
  };
  const Case cases[] = {
      {4, 3, 6, 0, 6, {0, 0, 2, 2, 3, 3}},     // squeezed, then each frame pixel doubled
      {4, 4, 6, 0, 6, {0, 1, 1, 2, 3, 3}},     // one and a half
      {4, 3, 6, 3, 3, {2, 3, 3}},              // only a part of the screen pixels
      {400, 399, 399, 198, 3, {198, 200, 201}},  // scale 1: the usual squeeze
      {400, 399, 798, 396, 6, {198, 198, 200, 200, 201, 201}},
      {9, 9, 18, 2, 14, {1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7}},  // a long run, doubled
      {4, 3, 9, 0, 9, {0, 0, 0, 2, 2, 2, 3, 3, 3}},                   // scale 3
  };
  for (const Case& c : cases) {
    std::vector<uint32_t> src(static_cast<size_t>(c.source * c.source));
    for (int32_t y = 0; y < c.source; ++y)
      for (int32_t x = 0; x < c.source; ++x) src[y * c.source + x] = tag(x, y);
    std::vector<uint32_t> dst(static_cast<size_t>(c.count * c.count), kBlack);
    pixelcopy::Stretcher stretcher;
    stretcher.copyToDevice({src.data(), c.source}, {c.source, c.source}, {c.frame, c.frame},
                           {c.device, c.device},
                           Rect{c.from, c.from, c.from + c.count, c.from + c.count},
                           {dst.data(), c.count});
    for (int32_t y = 0; y < c.count; ++y)
      for (int32_t x = 0; x < c.count; ++x)
        EXPECT_EQ(dst[y * c.count + x], tag(c.shown[x], c.shown[y]))
            << c.source << "/" << c.frame << "/" << c.device << " at " << x << "," << y;
  }
}

struct Screen {
  std::shared_ptr<Surface> primary;
  std::shared_ptr<Clipper> clipper;
  RecordingWindow window;
  Screen() {
    DirectDraw7 dd;
    SurfaceDesc desc{DDSD_CAPS, 0, 0, DDSCAPS_PRIMARYSURFACE};
    primary = dd.CreateSurface(desc);
    clipper = dd.CreateClipper(0);
    clipper->SetHWnd(&window);
    primary->SetClipper(clipper);
  }
};

// The window gets the source rectangle and the screen rectangle to stretch
// it to.
TEST(SurfacePresent, TheSourceRectangleReachesTheWindow) {
  Screen screen;
  Surface back(50, 40);
  fillTagged(back);
  const Rect field{-10, -5, 30, 45};
  ASSERT_EQ(screen.primary->Blt(field, back, {5, 6, 25, 26}, DDBLT_WAIT), 0);
  ASSERT_EQ(screen.window.calls, 1);
  EXPECT_EQ(screen.window.lastRect, field);
  EXPECT_EQ(screen.window.lastView.width, 20);
  EXPECT_EQ(screen.window.lastView.height, 20);
  EXPECT_EQ(screen.window.at(19, 19), tag(24, 25));
}

TEST(SurfacePresent, RefusedRectanglesNeverReachTheWindow) {
  Screen screen;
  Surface back(40, 40);
  EXPECT_EQ(screen.primary->Blt({0, 0, 40, 40}, back, {0, 0, 41, 40}, DDBLT_WAIT),
            DDERR_INVALIDRECT);
  EXPECT_EQ(screen.primary->Blt({0, 0, 0, 40}, back, {0, 0, 40, 40}, DDBLT_WAIT),
            DDERR_INVALIDRECT);
  EXPECT_EQ(screen.window.calls, 0);
}

TEST(SurfacePresent, AWindowThatCannotTakeTheFrameIsAnError) {
  Screen screen;
  screen.window.accepts = false;
  Surface back(4, 4);
  EXPECT_THROW(screen.primary->Blt({0, 0, 4, 4}, back, {0, 0, 4, 4}, DDBLT_WAIT), PlatformError);
}

}  // namespace
}  // namespace kinopa
