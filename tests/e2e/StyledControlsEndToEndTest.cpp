// The round buttons and the links as the real program shows them on screen.

#include "ProductProcess.h"

namespace {

constexpr int kWebsiteLink = 1002;
constexpr int kSupportLink = 1003;

COLORREF ScreenPixel(int x, int y) {
  HDC screen = GetDC(nullptr);
  const COLORREF colour = GetPixel(screen, x, y);
  ReleaseDC(nullptr, screen);
  return colour;
}

// Owner-drawn, with the blue end of the face's gradient just above its bottom edge.
void ExpectRoundButton(HWND dialog, int id) {
  SCOPED_TRACE(id);
  HWND button = GetDlgItem(dialog, id);
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(GetWindowLongA(button, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
  RECT r{};
  GetWindowRect(button, &r);
  const COLORREF face = ScreenPixel(r.left + 4, r.bottom - 3);
  EXPECT_TRUE(GetBValue(face) == 255 && GetRValue(face) < 160) << std::hex << face;
}

bool ShowsColour(HWND window, COLORREF colour) {
  RECT r{};
  GetWindowRect(window, &r);
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x)
      if (ScreenPixel(x, y) == colour) return true;
  return false;
}

TEST_F(ProductTest, ConfirmAndAboutShowRoundButtonsAndLinks) {
  Start();
  SetCursorPos(0, 0);
  AddFile(std::string(kWineModules) + "comdlg32.dll");
  ClickButton(window, kClearAllButton);
  const HWND confirm = WaitForDialog(kDontAskBox);
  ASSERT_NE(confirm, nullptr) << "no confirmation";
  ASSERT_TRUE(BringToFront(confirm));
  for (const int id : {IDOK, IDCANCEL}) ExpectRoundButton(confirm, id);
  PressKey(VK_ESCAPE);
  ASSERT_TRUE(WaitUntil([&] { return MainWindowFree(); }, kDialogTimeout));

  ChooseMenuItem(window, 'H', 'A');
  const HWND about = WaitForDialog(kWebsiteLink);
  ASSERT_NE(about, nullptr) << "no About box";
  ASSERT_TRUE(BringToFront(about));
  ExpectRoundButton(about, IDOK);
  for (const int id : {kWebsiteLink, kSupportLink}) {
    HWND link = GetDlgItem(about, id);
    EXPECT_TRUE(GetWindowLongA(link, GWL_STYLE) & SS_NOTIFY) << id;
    EXPECT_TRUE(ShowsColour(link, RGB(0, 0, 238))) << id;
  }
  PressKey(VK_ESCAPE);
  EXPECT_TRUE(WaitUntil([&] { return MainWindowFree(); }, kDialogTimeout));
}

}  // namespace
