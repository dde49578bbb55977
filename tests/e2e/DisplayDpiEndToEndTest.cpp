// The real program on a display of 144 DPI: the Normal view's pictures are
// 48 pixels, each the icon's own 48 x 48 image, not a smaller one enlarged.

#include "ProductProcess.h"
#include "support/IconBuilder.h"

namespace {

const wchar_t kDesktopKey[] = L"Control Panel\\Desktop";

// The display's DPI as programs started from now on read it; the old value
// comes back when the test ends, however it ends.
struct DisplayDpi {
  explicit DisplayDpi(DWORD dpi) {
    DWORD size = sizeof old;
    hadOld = !RegGetValueW(HKEY_CURRENT_USER, kDesktopKey, L"LogPixels", RRF_RT_REG_DWORD, nullptr, &old, &size);
    set = !RegSetKeyValueW(HKEY_CURRENT_USER, kDesktopKey, L"LogPixels", REG_DWORD, &dpi, sizeof dpi);
  }
  ~DisplayDpi() {
    if (!hadOld) RegDeleteKeyValueW(HKEY_CURRENT_USER, kDesktopKey, L"LogPixels");
    if (hadOld) RegSetKeyValueW(HKEY_CURRENT_USER, kDesktopKey, L"LogPixels", REG_DWORD, &old, sizeof old);
  }
  DWORD old = 96;
  bool hadOld = false, set = false;
};

// The bounds of the screen pixels of that colour within the area; empty when
// none. The area is copied once: a pixel read from the screen costs a round
// trip under Wine.
RECT BoundsOfColour(const RECT& area, COLORREF colour) {
  const LONG width = area.right - area.left, height = area.bottom - area.top;
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HDC screen = GetDC(nullptr), copy = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(copy, bitmap);
  BitBlt(copy, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
  RECT bounds{LONG_MAX, LONG_MAX, LONG_MIN, LONG_MIN};
  const auto* pixels = static_cast<const uint8_t*>(bits);
  for (LONG y = 0; y < height; ++y)
    for (LONG x = 0; x < width; ++x) {
      const uint8_t* p = pixels + (static_cast<size_t>(y) * width + x) * 4;
      if (RGB(p[2], p[1], p[0]) == colour)
        bounds = {std::min(bounds.left, x), std::min(bounds.top, y), std::max(bounds.right, x + 1),
                  std::max(bounds.bottom, y + 1)};
    }
  SelectObject(copy, old);
  DeleteObject(bitmap);
  DeleteDC(copy);
  ReleaseDC(nullptr, screen);
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
  const DisplayDpi dpi(144);
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
