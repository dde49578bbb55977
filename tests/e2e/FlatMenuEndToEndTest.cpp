// The real program's Operation menu, opened with its mnemonic key (Alt+F
// would press the Add File button), read back from the screen: a gutter and a
// lighter background, both derived from the system's button face.

#include "ProductProcess.h"
#include "controls/HlsColor.h"

namespace {

// Every second pixel each way of the window as the screen shows it.
int PixelsOfColour(HWND window, COLORREF colour) {
  RECT rect{};
  GetWindowRect(window, &rect);
  HDC screen = GetDC(nullptr);
  int count = 0;
  for (int y = rect.top; y < rect.bottom; y += 2)
    for (int x = rect.left; x < rect.right; x += 2) count += GetPixel(screen, x, y) == colour;
  ReleaseDC(nullptr, screen);
  return count;
}

TEST_F(ProductTest, OperationMenuIsDrawnFlatWithGutterAndBackground) {
  Start();
  ASSERT_TRUE(BringToFront(window));
  PressKey('O', false, true);
  HWND menu = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(menu = FindWindowA("#32768", nullptr)); }, kDialogTimeout))
      << "no menu opened";
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const COLORREF gutter = AdjustColor(face, 20, 0);
  const COLORREF background = AdjustColor(face, 75, 0);
  // A gutter down the items that are not highlighted and a background beside
  // it: far more pixels of each than stray ones.
  EXPECT_TRUE(WaitUntil([&] { return PixelsOfColour(menu, gutter) >= 125; }, kDialogTimeout))
      << PixelsOfColour(menu, gutter);
  EXPECT_GE(PixelsOfColour(menu, background), 500);
  PressKey(VK_ESCAPE);
  PressKey(VK_ESCAPE);
}

}  // namespace
