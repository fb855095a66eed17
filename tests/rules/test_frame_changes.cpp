// Finding what changed in a picture since it was last put on the screen.
#include <gtest/gtest.h>

#include <vector>

#include "core/frame_changes.h"
#include "surface_test_util.h"

namespace kinopa::pixelcopy {
namespace {

using Band = FrameChanges::Band;
constexpr int32_t kW = 200, kH = 30;

TEST(FrameChanges, BandsOfChangedRowsWithTheirChangedColumns) {
  struct Case {
    const char* what;
    std::vector<std::pair<int32_t, int32_t>> changed;  // x, y
    std::vector<Band> bands;
  };
  const Case cases[] = {
      {"nothing", {}, {}},
      {"one pixel: its block of 64 columns", {{70, 3}}, {{3, 4, 64, 128}}},
      {"first and last pixel of the last row", {{0, 29}, {199, 29}}, {{29, 30, 0, 200}}},
      {"rows a few apart are joined", {{5, 10}, {130, 13}}, {{10, 14, 0, 192}}},
      {"rows further apart are not", {{5, 10}, {130, 15}}, {{10, 11, 0, 64}, {15, 16, 128, 192}}},
      {"changes far apart in one row", {{70, 0}, {71, 0}, {150, 0}}, {{0, 1, 64, 192}}},
  };
  for (const Case& c : cases) {
    std::vector<uint32_t> picture(kW * kH);
    for (int32_t i = 0; i < kW * kH; ++i) picture[i] = testing_surface::tag(i % kW, i / kW);
    FrameChanges changes;
    ASSERT_EQ(changes.update({picture.data(), kW}, {kW, kH}), (std::vector<Band>{{0, kH, 0, kW}}));
    for (const auto& [x, y] : c.changed) picture[y * kW + x] ^= 0x00ffffffu;
    EXPECT_EQ(changes.update({picture.data(), kW}, {kW, kH}), c.bands) << c.what;
    EXPECT_TRUE(changes.update({picture.data(), kW}, {kW, kH}).empty()) << c.what << ", again";
  }
}

TEST(FrameChanges, AllOfItAfterForgettingOrAnotherSize) {
  std::vector<uint32_t> picture(kW * kH, 0xff102030u);
  FrameChanges changes;
  changes.update({picture.data(), kW}, {kW, kH});
  changes.forget();
  EXPECT_EQ(changes.update({picture.data(), kW}, {kW, kH}), (std::vector<Band>{{0, kH, 0, kW}}));
  // The same pixels read as 30 x 40: another picture.
  EXPECT_EQ(changes.update({picture.data(), kH}, {kH, kW}), (std::vector<Band>{{0, kW, 0, kH}}));
}

}  // namespace
}  // namespace kinopa::pixelcopy
