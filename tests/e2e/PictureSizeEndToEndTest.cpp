// The real program's Normal view stepped to 256-pixel pictures with Ctrl+Plus:
// an icon's own 256-pixel image is on screen pixel for pixel, and the size
// comes back at the next start.

#include "ProductProcess.h"
#include "support/IconBuilder.h"

namespace {

constexpr int kSide = 256;

// Each pixel's colour tells where it is, so the image can be found on screen.
COLORREF PatternAt(int x, int y) { return RGB(x, y, (x * 3 + y * 5) & 0xFF); }

// An opaque 32-bit DIB icon block of the pattern, or of one colour.
std::vector<uint8_t> OpaqueBlock(int side, bool pattern) {
  std::vector<uint8_t> block;
  for (const uint32_t field : {40u, static_cast<uint32_t>(side), static_cast<uint32_t>(side) * 2}) AppendU32(block, field);
  AppendU16(block, 1);
  AppendU16(block, 32);
  for (const uint32_t field : {0u, 0u, 0u, 0u, 0u, 0u}) AppendU32(block, field);
  for (int row = side - 1; row >= 0; --row)  // bottom-up
    for (int x = 0; x < side; ++x) {
      const COLORREF colour = pattern ? PatternAt(x, row) : RGB(200, 30, 30);
      block.insert(block.end(), {GetBValue(colour), GetGValue(colour), GetRValue(colour), 0xFF});
    }
  block.insert(block.end(), static_cast<size_t>(side) * ((side + 31) / 32 * 4), 0);
  return block;
}

// Whether the window's list shows the pattern whole, unscaled, anywhere.
bool ShowsPattern(HWND window) {
  RECT area{};
  // The list, not the window: a maximized window reaches past the screen,
  // and a copy from off the screen gives nothing.
  GetWindowRect(GetDlgItem(window, IDC_ICON_LIST), &area);
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  BITMAPINFO info{};
  info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  const HDC screen = GetDC(nullptr);
  const HDC memory = CreateCompatibleDC(screen);
  const HBITMAP shot = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  const HGDIOBJ old = SelectObject(memory, shot);
  BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
  GdiFlush();
  const auto at = [&](int x, int y) {
    const uint8_t* p = static_cast<const uint8_t*>(bits) + (static_cast<size_t>(y) * width + x) * 4;
    return RGB(p[2], p[1], p[0]);
  };
  bool found = false;
  for (int top = 0; top + kSide <= height && !found; ++top)
    for (int left = 0; left + kSide <= width && !found; ++left) {
      if (at(left, top) != PatternAt(0, 0) || at(left + kSide - 1, top) != PatternAt(kSide - 1, 0)) continue;
      found = true;
      for (int y = 0; y < kSide && found; ++y)
        for (int x = 0; x < kSide && found; ++x) found = at(left + x, top + y) == PatternAt(x, y);
    }
  SelectObject(memory, old);
  DeleteObject(shot);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return found;
}

using PictureSizeTest = ProductTest;

TEST_F(PictureSizeTest, CtrlPlusShowsTheIconsOwn256PixelImagePixelForPixelAndTheSizeIsKept) {
  const HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  if (dpi != 96) GTEST_SKIP() << "pictures are scaled at " << dpi << " DPI";
  const std::string icon = folder.File("big.ico");
  ASSERT_TRUE(WriteBytes(icon, BuildIcoFile({OpaqueBlock(32, false), OpaqueBlock(kSide, true)})));
  Start("\"" + icon + "\"");
  ASSERT_TRUE(WaitUntil([&] { return ItemCount() == 1; }, kDialogTimeout));
  PostMessageA(window, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  ASSERT_TRUE(WaitUntil([&] { return IsZoomed(window) != FALSE; }, kDialogTimeout));
  ASSERT_TRUE(BringToFront(window));
  EXPECT_FALSE(ShowsPattern(window)) << "the 32-pixel view shows the 32-pixel image";
  const auto pictureSize = [&] {
    return GetPrivateProfileIntA("Setting", "PictureSize", 0, folder.File("Config.ini").c_str());
  };
  for (int step = 0; step < 5; ++step) PressKey(VK_OEM_PLUS, true);
  EXPECT_TRUE(WaitUntil([&] { return pictureSize() == 256; }, kDialogTimeout)) << pictureSize();
  EXPECT_TRUE(WaitUntil([&] { return ShowsPattern(window); }, kDialogTimeout));
  // The icon is unsaved: closing asks first.
  PostMessageA(window, WM_CLOSE, 0, 0);
  const HWND question = WaitForDialog(IDYES);
  ASSERT_NE(question, nullptr);
  ClickButton(question, IDYES);
  ASSERT_TRUE(product.WaitForExit(kDialogTimeout));

  ProductProcess again;
  ASSERT_TRUE(again.Start(exePath, "\"" + icon + "\""));
  const HWND second = WaitForMainWindow(again.Id(), kDialogTimeout);
  ASSERT_NE(second, nullptr);
  ASSERT_TRUE(WaitUntil([&] { return IsZoomed(second) != FALSE; }, kDialogTimeout));
  EXPECT_TRUE(WaitUntil([&] { return ShowsPattern(second); }, kDialogTimeout));
}

}  // namespace
