#include <gtest/gtest.h>

#include <iterator>
#include <utility>

#include "controls/HlsColor.h"

namespace {

PackedHls Hls(int hue, int lightness, int saturation) { return hue | lightness << 8 | saturation << 16; }

// The flat menus derive their colours from these, truncating toward zero.
TEST(HlsColor, ConvertsAndAdjustsToTheExactValues) {
  const std::pair<DWORD, DWORD> cases[] = {
      {RgbToHls(RGB(255, 0, 0)), Hls(255, 127, 255)},  // 360 degrees stays 360
      {HlsToRgb(Hls(255, 127, 255)), RGB(254, 0, 0)},
      {AdjustColor(RGB(192, 192, 192), -18, 0), RGB(157, 157, 157)},
      {AdjustColor(RGB(212, 208, 200), 75, 0), RGB(243, 242, 240)},
  };
  for (size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(cases[i].first, cases[i].second) << "case " << i;
}

}  // namespace
