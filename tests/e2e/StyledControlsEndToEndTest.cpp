// The About box's round OK button and its links as the real program shows them on screen.

#include "ProductProcess.h"

namespace {

constexpr int kWebsiteLink = 1002;
constexpr int kSupportLink = 1003;

// Whether any pixel of the window on screen has the colour.
bool ShowsColour(HWND window, bool (*matches)(COLORREF)) {
  RECT r{};
  GetWindowRect(window, &r);
  HDC screen = GetDC(nullptr);
  bool found = false;
  for (int y = r.top; y < r.bottom && !found; ++y)
    for (int x = r.left; x < r.right && !found; ++x) found = matches(GetPixel(screen, x, y));
  ReleaseDC(nullptr, screen);
  return found;
}

TEST_F(ProductTest, AboutShowsARoundOkButtonAndLinksInTheirColour) {
  Start();
  SetCursorPos(0, 0);
  ChooseMenuItem(window, 'H', 'A');
  const HWND about = WaitForDialog(kWebsiteLink);
  ASSERT_NE(about, nullptr) << "no About box";
  ASSERT_TRUE(BringToFront(about));
  HWND ok = GetDlgItem(about, IDOK);
  EXPECT_EQ(GetWindowLongA(ok, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
  // The blue end of the face's gradient.
  EXPECT_TRUE(ShowsColour(ok, [](COLORREF c) { return GetBValue(c) == 255 && GetRValue(c) < 100; }));
  for (const int id : {kWebsiteLink, kSupportLink}) {
    HWND link = GetDlgItem(about, id);
    EXPECT_TRUE(GetWindowLongA(link, GWL_STYLE) & SS_NOTIFY) << id;
    EXPECT_TRUE(ShowsColour(link, [](COLORREF c) { return c == RGB(0, 0, 238); })) << id;
  }
  PressKey(VK_ESCAPE);
  EXPECT_TRUE(WaitUntil([&] { return MainWindowFree(); }, kDialogTimeout));
}

}  // namespace
