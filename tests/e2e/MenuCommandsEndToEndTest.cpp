// The Setting dialog, Clear All and About of the real program, reached with
// the keyboard as a user at the machine does; results read from Config.ini,
// the main window and the screen.

#include "ProductProcess.h"

namespace {

constexpr int kOpenDirBox = 1069;
constexpr int kConfirmBox = 1037;
constexpr int kDllBox = 1039;
constexpr int kTypeList = 1049;
constexpr int kPrefixBox = 1052;
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

class MenuCommandsEndToEndTest : public ProductTest {
 protected:
  void SetUp() override {
    ProductTest::SetUp();
    Start();
  }
  bool Closed(HWND dialog) const { return !IsWindow(dialog) || !IsWindowVisible(dialog); }
  // Moves to a check box with Tab and flips it with the space bar.
  void Toggle(HWND dialog, int id) {
    ASSERT_TRUE(TabTo(dialog, id)) << id;
    PressKey(VK_SPACE);
  }
};

TEST_F(MenuCommandsEndToEndTest, SettingChangedWithTheKeyboardReachesConfigIniAndTheWindow) {
  ChooseMenuItem(window, 'O', 'T');
  const HWND dialog = WaitForDialog(kOpenDirBox);
  ASSERT_NE(dialog, nullptr) << "no Setting dialog";
  ASSERT_TRUE(BringToFront(dialog));
  EXPECT_EQ(ControlText(dialog, kPrefixBox), "Untitled");

  Toggle(dialog, kSelectAllBox);
  Toggle(dialog, kConfirmBox);
  Toggle(dialog, kDllBox);
  ASSERT_TRUE(TabTo(dialog, kTypeList));
  PressKey(VK_DOWN);
  // Tab selects the whole prefix, so typing replaces it.
  ASSERT_TRUE(TabTo(dialog, kPrefixBox));
  TypeText("shot");
  ASSERT_TRUE(WaitUntil([&] { return ControlText(dialog, kPrefixBox) == "shot"; }, kDialogTimeout))
      << ControlText(dialog, kPrefixBox);
  PressKey(VK_RETURN);
  ASSERT_TRUE(WaitUntil([&] { return Closed(dialog); }, kDialogTimeout));

  const std::vector<std::string> expected = {
      "[Setting]", "RestorePath=C:\\IconLibrary", "View=0", "SelectAll=0", "Confirm=0", "DefaultType=bmp",
      "TitlePrefix=shot", "OpenDir=1", "[Filter]", "Exe=1", "Dll=0", "Ico=1", "Icl=1", "Cpl=1", "Ocx=1", "Scr=1"};
  EXPECT_EQ(ReadLines(folder.File("Config.ini")), expected);
  EXPECT_EQ(AskControl(window, kSelectAllBox, BM_GETCHECK), BST_UNCHECKED);
}

TEST_F(MenuCommandsEndToEndTest, ClearAllAsksFirstAndDontAskMeStopsTheQuestion) {
  AddFile(std::string(kWineSystemFolder) + "comdlg32.dll");
  const int items = ItemCount();
  ASSERT_TRUE(BringToFront(window));
  PressKey('E', true);
  HWND confirm = WaitForDialog(kDontAskBox);
  ASSERT_NE(confirm, nullptr) << "no confirmation";
  EXPECT_EQ(WindowText(confirm), "Confirm");
  // The icon's static holds its resource number as text; only the question counts.
  EXPECT_NE(BoxText(confirm).find("Are you sure to clear all the icons?"), std::string::npos) << BoxText(confirm);
  EXPECT_FALSE(IsWindowEnabled(window));
  BringToFront(confirm);
  PressKey(VK_ESCAPE);
  ASSERT_TRUE(WaitUntil([&] { return MainWindowFree(); }, kDialogTimeout));
  EXPECT_EQ(ItemCount(), items);

  ClickButton(window, kClearAllButton);
  confirm = WaitForDialog(kDontAskBox);
  ASSERT_NE(confirm, nullptr) << "no confirmation from the button";
  BringToFront(confirm);
  ASSERT_TRUE(TabTo(confirm, kDontAskBox));
  PressKey(VK_SPACE);
  ASSERT_TRUE(WaitUntil([&] { return AskControl(confirm, kDontAskBox, BM_GETCHECK) == BST_CHECKED; }, kDialogTimeout));
  PressKey(VK_RETURN);
  ASSERT_TRUE(WaitUntil([&] { return MainWindowFree(); }, kDialogTimeout));
  EXPECT_EQ(ItemCount(), 0);
  EXPECT_EQ(GetPrivateProfileIntA("Setting", "Confirm", -1, folder.File("Config.ini").c_str()), 0);

  AddFile(std::string(kWineSystemFolder) + "comdlg32.dll");
  ClickButton(window, kClearAllButton);
  ASSERT_TRUE(WaitUntil([&] { return ItemCount() == 0; }, kDialogTimeout));
  EXPECT_EQ(WaitForDialog(kDontAskBox, 500), nullptr);
}

// OK is a round button, the links are drawn in their colour.
TEST_F(MenuCommandsEndToEndTest, AboutOpensFromTheHelpMenuDrawnAsDesignedAndEscapeClosesIt) {
  SetCursorPos(0, 0);
  ChooseMenuItem(window, 'H', 'A');
  const HWND about = WaitForDialog(kWebsiteLink);
  ASSERT_NE(about, nullptr) << "no About box";
  EXPECT_EQ(WindowText(about), "About Vantrel 1.1");
  EXPECT_EQ(GetWindow(about, GW_OWNER), window);
  EXPECT_FALSE(IsWindowEnabled(window));

  ASSERT_TRUE(BringToFront(about));
  const HWND ok = GetDlgItem(about, IDOK);
  EXPECT_EQ(GetWindowLongA(ok, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
  // The blue end of the face's gradient.
  EXPECT_TRUE(ShowsColour(ok, [](COLORREF c) { return GetBValue(c) == 255 && GetRValue(c) < 100; }));
  for (const int id : {kWebsiteLink, kSupportLink})
    EXPECT_TRUE(ShowsColour(GetDlgItem(about, id), [](COLORREF c) { return c == RGB(0, 0, 238); })) << id;
  PressKey(VK_ESCAPE);
  EXPECT_TRUE(WaitUntil([&] { return Closed(about) && IsWindowEnabled(window); }, kDialogTimeout));
  EXPECT_TRUE(product.IsRunning());
}

}  // namespace
