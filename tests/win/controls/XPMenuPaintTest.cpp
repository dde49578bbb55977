// The flat menus' colours: the HLS arithmetic they are derived with, and menu
// items painted in the classic scheme, read back where each of the eight
// colours derived from its face and highlight shows.

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "ControlTestSupport.h"
#include "controls/DisplayScale.h"
#include "controls/HlsColor.h"
#include "controls/XPMenuPaint.h"
#include "framework/ImageList.h"

namespace {

const CXPMenuColors kClassic(RGB(212, 208, 200), RGB(10, 36, 106), RGB(1, 2, 3), RGB(128, 128, 128), RGB(64, 64, 64));

// Pure red is a full 360 degrees, not wrapped to 0, and each step truncates
// toward zero, so it comes back one short.
TEST(HlsColor, PureRedKeepsItsFullHueAndComesBackTruncated) {
  EXPECT_EQ(RgbToHls(RGB(255, 0, 0)), 0xFF7FFFu);  // hue 255, lightness 127, saturation 255
  EXPECT_EQ(HlsToRgb(0xFF7FFF), RGB(254, 0, 0));
}

TEST(XPMenuPaint, DrawsEachDerivedColourWhereItBelongs) {
  struct {
    const char* name;
    UINT type, state, itemState;
    bool image;
    std::vector<std::tuple<int, int, COLORREF>> probes;
  } const cases[] = {
      {"plain", MFT_STRING, 0, 0, false, {{5, 10, RGB(219, 216, 210)}, {25, 1, RGB(243, 242, 240)}}},
      {"selected", MFT_STRING, 0, ODS_SELECTED, false, {{0, 0, RGB(10, 36, 106)}, {25, 1, RGB(173, 185, 216)}}},
      {"selected disabled", MFT_STRING, MFS_GRAYED, ODS_SELECTED, false, {{25, 1, RGB(242, 241, 239)}}},
      {"selected checked", MFT_STRING, MFS_CHECKED, ODS_SELECTED, false, {{2, 2, RGB(115, 138, 196)}}},
      {"separator", MFT_SEPARATOR, 0, 0, false, {{40, 10, RGB(178, 171, 157)}, {40, 8, RGB(243, 242, 240)}}},
      {"image selected", MFT_STRING, 0, ODS_SELECTED, true, {{2, 2, RGB(0, 200, 0)}, {19, 19, RGB(128, 144, 183)}}},
      {"image disabled", MFT_STRING, MFS_GRAYED, 0, true, {{3, 3, RGB(162, 154, 137)}, {2, 2, RGB(219, 216, 210)}}},
  };
  CImageList images;
  images.Create(16, 16, ILC_COLOR24, 1, 1);
  CBitmap bitmap;
  bitmap.Attach(CreateBitmap(16, 16, 1, 32, std::vector<DWORD>(16 * 16, 0x00C800).data()));
  ImageList_Add(images, bitmap, nullptr);
  // The menus draw at the display's DPI: probes given at 96 DPI land where it puts them.
  const int dpi = DisplayDpi();
  const auto at = [dpi](int pixels) { return ScaleToDpi(pixels, dpi); };
  for (const auto& c : cases) {
    MemoryCanvas canvas(at(60), at(20), RGB(255, 0, 255));
    MENUITEMINFOA info{};
    info.fType = c.type;
    info.fState = c.state;
    const CXPMenuItem item(info, "Item\tCtrl+I", c.image ? images.GetSafeHandle() : nullptr);
    PaintXPMenuItem(canvas.dc,
                    {ODT_MENU, 0, 1, ODA_DRAWENTIRE, c.itemState, nullptr, canvas.dc, {0, 0, at(60), at(20)}, 20},
                    item, kClassic);
    for (const auto& [x, y, expected] : c.probes)
      EXPECT_EQ(canvas.Pixel(at(x), at(y)), expected) << c.name << " at " << x << "," << y << " (96 DPI)";
  }
}

}  // namespace
