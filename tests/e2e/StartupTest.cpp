// Starting the real program: the main window with its controls, Config.ini
// beside it, one copy per executable name, and closing it.

#include "ProductProcess.h"

namespace {

using StartupTest = ProductTest;

TEST_F(StartupTest, ShowsTheMainWindowWritesTheDefaultsAndASecondStartEndsAtOnce) {
  Start();
  EXPECT_EQ(ClassName(GetDlgItem(window, kIconList)), "SysListView32");
  EXPECT_EQ(ItemCount(), 0);
  const std::pair<int, const char*> buttons[] = {
      {kAddFileButton, "Add &File"}, {kAddFolderButton, "Add Fol&der"}, {kClearAllButton, "Cl&ear All"},
      {kSaveButton, "&Save"},        {kSaveAsButton, "Save &As"}};
  for (const auto& button : buttons) {
    EXPECT_EQ(WindowText(GetDlgItem(window, button.first)), button.second);
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(window, button.first))) << button.second;
  }
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
