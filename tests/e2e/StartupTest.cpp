// The real program with no icons: the main window in its own colour, the
// defaults written beside it, one copy per executable name, and the Setting
// and About dialogs reached with the keyboard as a user at the machine does.

#include "ProductProcess.h"

namespace {

// Whether some pixel of the area on screen comes to match, once painted.
bool ShowsColour(const RECT& area, bool (*matches)(COLORREF)) {
  return WaitUntil(
      [&] {
        HDC screen = GetDC(nullptr);
        bool found = false;
        for (int y = area.top; y < area.bottom && !found; ++y)
          for (int x = area.left; x < area.right && !found; ++x) found = matches(GetPixel(screen, x, y));
        ReleaseDC(nullptr, screen);
        return found;
      },
      kDialogTimeout);
}

bool ShowsColour(HWND window, bool (*matches)(COLORREF)) {
  RECT area{};
  GetWindowRect(window, &area);
  return ShowsColour(area, matches);
}

class StartupTest : public ProductTest {
 protected:
  void SetUp() override {
    ProductTest::SetUp();
    Start();
  }
};

TEST_F(StartupTest, ShowsTheMainWindowWritesTheDefaultsAndASecondStartEndsAtOnce) {
  ASSERT_TRUE(BringToFront(window));
  RECT client{};
  GetClientRect(window, &client);
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
  // The window's own pale blue, in the corner beside the buttons.
  const RECT corner{client.left + 2, client.bottom - 3, client.left + 3, client.bottom - 2};
  EXPECT_TRUE(ShowsColour(corner, [](COLORREF c) { return c == RGB(192, 208, 240); }));
  const std::vector<std::string> defaults = {
      "[Setting]", "RestorePath=C:\\IconLibrary", "View=0", "SelectAll=1", "Confirm=1", "DefaultType=ico",
      "TitlePrefix=Untitled", "OpenDir=1", "[Filter]", "Exe=1", "Dll=1", "Ico=1", "Icl=1", "Cpl=1", "Ocx=1", "Scr=1"};
  EXPECT_EQ(ReadLines(folder.File("Config.ini")), defaults);

  ProductProcess second;
  ASSERT_TRUE(second.Start(exePath));
  DWORD code = 1;
  EXPECT_TRUE(second.WaitForExit(kDialogTimeout, &code));
  EXPECT_EQ(code, 0u);
  EXPECT_EQ(MainWindowsOf(product.Id()).size(), 1u);

  PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_TRUE(product.WaitForExit(kDialogTimeout));
}

TEST_F(StartupTest, SettingChangedWithTheKeyboardReachesConfigIniAndTheWindow) {
  ASSERT_TRUE(ChooseMenuItem(window, 'O', 'T'));
  const HWND dialog = WaitForDialog(IDC_OPEN_DIR);
  ASSERT_NE(dialog, nullptr) << "no Setting dialog";
  ASSERT_TRUE(BringToFront(dialog));
  // The group captions keep their blue under the platform's theme too.
  for (const int group : {IDC_SAVE_GROUP, IDC_FILTER_GROUP}) {
    RECT caption{};
    GetWindowRect(GetDlgItem(dialog, group), &caption);
    caption.bottom = caption.top + 12;
    EXPECT_TRUE(ShowsColour(caption, [](COLORREF c) { return c == RGB(0, 0, 255); })) << group;
  }
  ASSERT_TRUE(TabTo(dialog, IDC_SELECT_ALL));
  const LRESULT ticked = Ask(GetDlgItem(dialog, IDC_SELECT_ALL), BM_GETCHECK);
  PressKey(VK_SPACE);
  ASSERT_TRUE(WaitUntil([&] { return Ask(GetDlgItem(dialog, IDC_SELECT_ALL), BM_GETCHECK) != ticked; }, kDialogTimeout));
  ASSERT_TRUE(TabTo(dialog, IDC_DEFAULT_TYPE));
  const LRESULT type = Ask(GetDlgItem(dialog, IDC_DEFAULT_TYPE), CB_GETCURSEL);
  PressKey(VK_DOWN);
  ASSERT_TRUE(WaitUntil([&] { return Ask(GetDlgItem(dialog, IDC_DEFAULT_TYPE), CB_GETCURSEL) != type; }, kDialogTimeout));
  // Tab selects the whole prefix, so typing replaces it.
  ASSERT_TRUE(TabTo(dialog, IDC_TITLE_PREFIX));
  for (const WORD key : {'S', 'H', 'O', 'T'}) PressKey(key);
  ASSERT_TRUE(WaitUntil([&] { return ControlText(dialog, IDC_TITLE_PREFIX) == "shot"; }, kDialogTimeout))
      << ControlText(dialog, IDC_TITLE_PREFIX);
  PressKey(VK_RETURN);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(dialog); }, kDialogTimeout));

  const std::vector<std::string> expected = {
      "[Setting]", "RestorePath=C:\\IconLibrary", "View=0", "SelectAll=0", "Confirm=1", "DefaultType=bmp",
      "TitlePrefix=shot", "OpenDir=1", "[Filter]", "Exe=1", "Dll=1", "Ico=1", "Icl=1", "Cpl=1", "Ocx=1", "Scr=1"};
  EXPECT_EQ(ReadLines(folder.File("Config.ini")), expected);
  EXPECT_EQ(Ask(GetDlgItem(window, IDC_SELECT_ALL), BM_GETCHECK), BST_UNCHECKED);
}

// OK is a round button with a blue end to its face, the links are drawn in their colour.
TEST_F(StartupTest, AboutOpensFromTheHelpMenuDrawnAsDesignedAndEscapeClosesIt) {
  SetCursorPos(0, 0);  // nothing hovered
  ASSERT_TRUE(ChooseMenuItem(window, 'H', 'A'));
  const HWND about = WaitForDialog(IDC_WEBSITE_LINK);
  ASSERT_NE(about, nullptr) << "no About box";
  ASSERT_TRUE(BringToFront(about));
  EXPECT_TRUE(
      ShowsColour(GetDlgItem(about, IDOK), [](COLORREF c) { return GetBValue(c) == 255 && GetRValue(c) < 100; }));
  for (const int id : {IDC_WEBSITE_LINK, IDC_SUPPORT_LINK})
    EXPECT_TRUE(ShowsColour(GetDlgItem(about, id), [](COLORREF c) { return c == RGB(0, 0, 238); })) << id;
  PressKey(VK_ESCAPE);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(about) && IsWindowEnabled(window); }, kDialogTimeout));
}

// The copy has no help.htm beside it: Help says so, naming the page. A start
// while another copy seems to run (its lock held here) but none answers names
// the paths it was given instead of dropping them.
TEST_F(StartupTest, HelpAndAStartNoCopyAnswersSayWhatTheyCouldNotOpen) {
  ASSERT_TRUE(ChooseMenuItem(window, 'H', 'H'));
  const HWND help = WaitForDialog(0);
  ASSERT_NE(help, nullptr) << "Help said nothing";
  EXPECT_EQ(BoxText(help), "The help page could not be opened:\n" + folder.File("help.htm") + "\nThe page is missing.");
  ClickButton(help, IDOK);
  PostMessageA(window, WM_CLOSE, 0, 0);
  ASSERT_TRUE(product.WaitForExit(kDialogTimeout));

  // The lock is named after the executable.
  const std::string name = exePath.substr(exePath.rfind('\\') + 1);
  const HANDLE held = CreateMutexA(nullptr, TRUE, name.substr(0, name.rfind('.')).c_str());
  ProductProcess second;
  const std::string path = folder.File("some.ico");
  ASSERT_TRUE(second.Start(exePath, "\"" + path + "\""));
  const HWND box = WaitForDialogOf(second.Id(), nullptr, 0, 3 * kDialogTimeout);
  ASSERT_NE(box, nullptr) << "the paths were dropped without a word";
  EXPECT_EQ(BoxText(box), "Vantrel is already running but did not answer, so these were not opened:\n\n" + path);
  ClickButton(box, IDOK);
  EXPECT_TRUE(second.WaitForExit(kDialogTimeout));
  CloseHandle(held);
}

}  // namespace
