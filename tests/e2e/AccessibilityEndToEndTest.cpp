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

HWND DialogOwnedBy(HWND owner) {
  for (HWND w = FindWindowExA(nullptr, nullptr, "#32770", nullptr); w; w = FindWindowExA(nullptr, w, "#32770", nullptr))
    if (IsWindowVisible(w) && GetWindow(w, GW_OWNER) == owner) return w;
  return nullptr;
}

TEST_F(AccessibilityEndToEndTest, AButtonShowsTheFocusAfterTabButNotAfterAClick) {
  Start();
  const HWND button = GetDlgItem(window, IDC_ADD_FILE);
  ASSERT_TRUE(BringToFront(window));
  ClickWith(button);
  const HWND dialog = WaitForDialog(kFileNameBox);
  ASSERT_NE(dialog, nullptr) << "no open dialog";
  SetCursorPos(0, 0);  // nothing hovered
  PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  ASSERT_TRUE(WaitUntil([&] { return MainWindowFree() && GetForegroundWindow() == window; }, kDialogTimeout));
  RECT face{};
  GetWindowRect(button, &face);
  Sleep(300);
  const std::vector<COLORREF> clicked = ScreenPixels(face);

  ASSERT_TRUE(TabTo(window, IDC_ADD_FOLDER));
  EXPECT_TRUE(WaitUntil([&] { return ScreenPixels(face) == clicked; }, 2000)) << "a focus cue after the click";
  ASSERT_TRUE(TabTo(window, IDC_ADD_FILE));
  EXPECT_TRUE(WaitUntil([&] { return ScreenPixels(face) != clicked; }, kDialogTimeout)) << "no focus cue after Tab";
}

// Under Wine nothing may open the target, so Enter ends in the link's visited
// colour or in its message; either way the About box stays.
TEST_F(AccessibilityEndToEndTest, AnAboutLinkIsReachedByTabAndOpenedByEnter) {
  Start();
  ASSERT_TRUE(ChooseMenuItem(window, 'H', 'A'));
  const HWND about = WaitForDialog(IDC_SUPPORT_LINK);
  ASSERT_NE(about, nullptr) << "no About box";
  ASSERT_TRUE(BringToFront(about));
  ASSERT_TRUE(TabTo(about, IDC_SUPPORT_LINK));
  RECT ok{};
  GetWindowRect(GetDlgItem(about, IDOK), &ok);
  Sleep(300);  // no longer the default button: repainted
  const std::vector<COLORREF> okShown = ScreenPixels(ok);
  EXPECT_TRUE(std::any_of(okShown.begin(), okShown.end(),
                          [](COLORREF c) { return GetBValue(c) == 255 && GetRValue(c) < 100; }))
      << "OK lost its own look";
  PressKey(VK_RETURN);
  RECT link{};
  GetWindowRect(GetDlgItem(about, IDC_SUPPORT_LINK), &link);
  HWND box = nullptr;
  const auto visited = [&] {
    const std::vector<COLORREF> shown = ScreenPixels(link);
    return std::find(shown.begin(), shown.end(), RGB(85, 26, 139)) != shown.end();
  };
  ASSERT_TRUE(WaitUntil([&] { return visited() || (box = DialogOwnedBy(about)); }, kDialogTimeout));
  if (box) {
    EXPECT_NE(BoxText(box).find("Unable to open hyperlink:"), std::string::npos) << BoxText(box);
  }
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
  const auto shows = [](const RECT& area, COLORREF background, COLORREF text) {
    return WaitUntil(
        [&] {
          const std::vector<COLORREF> pixels = ScreenPixels(area);
          const auto count = [&](COLORREF c) { return std::count(pixels.begin(), pixels.end(), c); };
          return count(background) > static_cast<long>(pixels.size()) / 2 && count(text) > 0;
        },
        kDialogTimeout);
  };
  EXPECT_TRUE(shows(title, RGB(0, 0, 0), RGB(255, 255, 255))) << "menu bar";
  RECT label{};
  GetWindowRect(GetDlgItem(window, IDC_CONTAINED_LABEL), &label);
  EXPECT_TRUE(shows(label, RGB(0, 0, 0), RGB(255, 255, 255))) << "Contained in:";
}

}  // namespace
