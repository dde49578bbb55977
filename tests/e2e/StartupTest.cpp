// Starting the real program: the main window in its colour with its controls
// (the command buttons drawn shaded, bright on the left, dark and blue-tinted
// on the right), Config.ini beside it, one copy per executable name, and
// closing it.

#include "ProductProcess.h"

namespace {

using StartupTest = ProductTest;

int Brightness(COLORREF colour) { return GetRValue(colour) + GetGValue(colour) + GetBValue(colour); }

TEST_F(StartupTest, ShowsTheMainWindowWritesTheDefaultsAndASecondStartEndsAtOnce) {
  Start();
  ASSERT_TRUE(BringToFront(window));
  SetCursorPos(0, 0);  // nothing hovered
  EXPECT_EQ(ClassName(GetDlgItem(window, kIconList)), "SysListView32");
  EXPECT_EQ(ItemCount(), 0);
  const std::pair<int, const char*> buttons[] = {
      {kAddFileButton, "Add &File"}, {kAddFolderButton, "Add Fol&der"}, {kClearAllButton, "Cl&ear All"},
      {kSaveButton, "&Save"},        {kSaveAsButton, "Save &As"}};
  HDC screen = GetDC(nullptr);
  for (const auto& [id, text] : buttons) {
    const HWND button = GetDlgItem(window, id);
    EXPECT_EQ(WindowText(button), text);
    RECT rect;
    GetWindowRect(button, &rect);
    COLORREF left = 0, right = 0;
    // The window may still be painting its buttons.
    EXPECT_TRUE(WaitUntil(
        [&] {
          left = GetPixel(screen, rect.left + 1, rect.top + 1);
          right = GetPixel(screen, rect.right - 2, rect.top + 1);
          return Brightness(left) > Brightness(right) + 120 && GetBValue(right) > GetRValue(right);
        },
        kDialogTimeout))
        << text << ": " << Brightness(left) << " vs " << Brightness(right);
  }
  // The window's own pale blue, beside the buttons.
  RECT client{};
  GetClientRect(window, &client);
  POINT corner{2, client.bottom - 3};
  ClientToScreen(window, &corner);
  EXPECT_EQ(GetPixel(screen, corner.x, corner.y), RGB(192, 208, 240));
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(AskControl(window, kSelectAllBox, BM_GETCHECK), BST_CHECKED);
  const std::vector<std::string> defaults = {
      "[Setting]", "RestorePath=C:\\IconLibrary", "View=0", "SelectAll=1", "Confirm=1", "DefaultType=ico",
      "TitlePrefix=Untitled", "OpenDir=1", "[Filter]", "Exe=1", "Dll=1", "Ico=1", "Icl=1", "Cpl=1", "Ocx=1", "Scr=1"};
  EXPECT_EQ(ReadLines(folder.File("Config.ini")), defaults);

  ProductProcess second;
  ASSERT_TRUE(second.Start(exePath));
  DWORD code = 1;
  EXPECT_TRUE(second.WaitForExit(kDialogTimeout, &code));
  EXPECT_EQ(code, 0u);
  EXPECT_TRUE(MainWindowsOf(second.Id()).empty());
  EXPECT_EQ(MainWindowsOf(product.Id()).size(), 1u);

  PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_TRUE(product.WaitForExit(kDialogTimeout));
}

}  // namespace
