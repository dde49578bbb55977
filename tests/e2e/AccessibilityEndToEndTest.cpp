// The real program for a user of the keyboard alone and of a dark colour
// scheme: the owner-drawn buttons show the focus after Tab and not after a
// click, the About box's links are reached by Tab and opened by Enter, and
// the menu bar and labels take the scheme's own colours where the design's
// would leave its text unreadable.

#include "ProductProcess.h"

#include <algorithm>
#include <memory>
#include <utility>

namespace {

using AccessibilityEndToEndTest = ProductTest;

std::vector<COLORREF> PixelsOf(HWND control) {
  RECT area{};
  GetWindowRect(control, &area);
  return ScreenPixels(area);
}

bool ShowsAny(HWND control, bool (*matches)(COLORREF)) {
  const std::vector<COLORREF> pixels = PixelsOf(control);
  return std::any_of(pixels.begin(), pixels.end(), matches);
}

TEST_F(AccessibilityEndToEndTest, AButtonShowsTheFocusAfterTabButNotAfterAClick) {
  Start();
  const HWND button = GetDlgItem(window, IDC_ADD_FILE);
  ASSERT_TRUE(BringToFront(window));
  ASSERT_TRUE(TabTo(window, IDC_ADD_FILE));  // the cue shown, for the click to hide
  ClickWith(button);
  const HWND dialog = WaitForDialog(kFileNameBox);
  ASSERT_NE(dialog, nullptr) << "no open dialog";
  SetCursorPos(0, 0);  // nothing hovered
  PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  ASSERT_TRUE(WaitUntil([&] { return MainWindowFree() && GetForegroundWindow() == window; }, kDialogTimeout));
  Sleep(300);
  const std::vector<COLORREF> clicked = PixelsOf(button);

  ASSERT_TRUE(TabTo(window, IDC_ADD_FOLDER));
  EXPECT_TRUE(WaitUntil([&] { return PixelsOf(button) == clicked; }, 2000)) << "a focus cue after the click";
  ASSERT_TRUE(TabTo(window, IDC_ADD_FILE));
  EXPECT_TRUE(WaitUntil([&] { return PixelsOf(button) != clicked; }, kDialogTimeout)) << "no focus cue after Tab";
}

// Wine hands a mailto: target to its own browser launcher, which the shell
// reports as opened: the link turns to its visited colour, and Enter leaves
// the About box open.
TEST_F(AccessibilityEndToEndTest, AnAboutLinkIsReachedByTabAndOpenedByEnter) {
  Start();
  ASSERT_TRUE(ChooseMenuItem(window, 'H', 'A'));
  const HWND about = WaitForDialog(IDC_SUPPORT_LINK);
  ASSERT_NE(about, nullptr) << "no About box";
  ASSERT_TRUE(BringToFront(about));
  ASSERT_TRUE(TabTo(about, IDC_SUPPORT_LINK));
  Sleep(300);  // OK, no longer the default button, is drawn again
  EXPECT_TRUE(ShowsAny(GetDlgItem(about, IDOK), [](COLORREF c) { return GetBValue(c) == 255 && GetRValue(c) < 100; }))
      << "OK lost its own look";
  PressKey(VK_RETURN);
  const auto visited = [](COLORREF c) { return c == RGB(85, 26, 139); };
  EXPECT_TRUE(WaitUntil([&] { return ShowsAny(GetDlgItem(about, IDC_SUPPORT_LINK), visited); }, kDialogTimeout));
  EXPECT_TRUE(IsWindowVisible(about));
}

// A scheme of white text on black with a cyan highlight, and the light grey
// button face of the default scheme that the design mixes the menus from.
TEST_F(AccessibilityEndToEndTest, UnderADarkSchemeTheMenuBarAndLabelsTakeItsColours) {
  const wchar_t kColors[] = L"Control Panel\\Colors";
  const std::pair<const wchar_t*, const wchar_t*> scheme[] = {
      {L"Menu", L"0 0 0"},         {L"MenuText", L"255 255 255"}, {L"Hilight", L"0 255 255"},
      {L"HilightText", L"0 0 0"},  {L"Window", L"0 0 0"},         {L"WindowText", L"255 255 255"}};
  std::vector<std::unique_ptr<UserSetting>> settings;
  for (const auto& [name, value] : scheme) {
    settings.push_back(std::make_unique<UserSetting>(kColors, name, REG_SZ, value,
                                                     static_cast<DWORD>((wcslen(value) + 1) * sizeof(wchar_t))));
    ASSERT_TRUE(settings.back()->set) << Utf8(name);
  }
  Start();
  ASSERT_TRUE(BringToFront(window));
  POINT clientTop{0, 0};
  ClientToScreen(window, &clientTop);
  // The first title of the menu bar, above the client area.
  const RECT title{clientTop.x + 2, clientTop.y - GetSystemMetrics(SM_CYMENU) + 3, clientTop.x + 24, clientTop.y - 3};
  // Mostly black, and white text.
  const auto whiteOnBlack = [](const std::vector<COLORREF>& pixels) {
    const auto count = [&](COLORREF c) { return std::count(pixels.begin(), pixels.end(), c); };
    return count(RGB(0, 0, 0)) > static_cast<long>(pixels.size()) / 2 && count(RGB(255, 255, 255)) > 0;
  };
  EXPECT_TRUE(WaitUntil([&] { return whiteOnBlack(ScreenPixels(title)); }, kDialogTimeout)) << "menu bar";
  const HWND label = GetDlgItem(window, IDC_CONTAINED_LABEL);
  EXPECT_TRUE(WaitUntil([&] { return whiteOnBlack(PixelsOf(label)); }, kDialogTimeout)) << "Contained in:";
}

}  // namespace
