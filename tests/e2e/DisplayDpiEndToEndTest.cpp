// The real program on a display of 144 DPI: the Normal view's pictures are
// 48 pixels, each the icon's own 48 x 48 image, not a smaller one enlarged.

#include "ProductProcess.h"
#include "support/IconBuilder.h"

namespace {

// The bounds of the screen pixels of that colour within the area; empty when none.
RECT BoundsOfColour(const RECT& area, COLORREF colour) {
  const LONG width = area.right - area.left;
  const std::vector<COLORREF> pixels = ScreenPixels(area);
  RECT bounds{LONG_MAX, LONG_MAX, LONG_MIN, LONG_MIN};
  for (LONG i = 0; i < static_cast<LONG>(pixels.size()); ++i)
    if (pixels[i] == colour) {
      const LONG x = i % width, y = i / width;
      bounds = {std::min(bounds.left, x), std::min(bounds.top, y), std::max(bounds.right, x + 1),
                std::max(bounds.bottom, y + 1)};
    }
  return bounds.left == LONG_MAX ? RECT{} : bounds;
}

using DisplayDpiEndToEndTest = ProductTest;

TEST_F(DisplayDpiEndToEndTest, At144DpiTheListShowsTheIconsOwn48PixelImage) {
  // Screen pixels, not coordinates scaled for a program that is not DPI aware.
  SetProcessDPIAware();
  const COLORREF red = RGB(220, 0, 0), green = RGB(0, 200, 0), blue = RGB(0, 0, 230), yellow = RGB(240, 220, 0);
  const std::string icon = folder.File("sizes.ico");
  ASSERT_TRUE(WriteBytes(icon, BuildIcoFile({SolidIconBlock(red, 16), SolidIconBlock(green, 32),
                                             SolidIconBlock(blue, 48), SolidIconBlock(yellow, 64)})));
  const DWORD dpiValue = 144;
  const UserSetting dpi(L"Control Panel\\Desktop", L"LogPixels", REG_DWORD, &dpiValue, sizeof dpiValue);
  ASSERT_TRUE(dpi.set);
  Start("\"" + icon + "\"");
  ASSERT_TRUE(WaitUntil([&] { return ItemCount() == 1; }, kDialogTimeout));
  ASSERT_TRUE(BringToFront(window));
  RECT list{};
  GetWindowRect(GetDlgItem(window, IDC_ICON_LIST), &list);
  RECT picture{};
  ASSERT_TRUE(WaitUntil([&] { return (picture = BoundsOfColour(list, blue)).right > 0; }, kDialogTimeout))
      << "the 48 x 48 image is not shown";
  EXPECT_EQ(picture.right - picture.left, 48);
  EXPECT_EQ(picture.bottom - picture.top, 48);
  for (const COLORREF other : {red, green, yellow}) EXPECT_EQ(BoundsOfColour(list, other).right, 0);
}

}  // namespace
