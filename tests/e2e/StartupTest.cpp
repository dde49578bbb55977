// Starting the real program: one copy per executable name, Config.ini beside
// it, the main window with its controls, and closing it.

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "ProductProcess.h"

namespace {

constexpr DWORD kStartTimeout = 20000;
constexpr DWORD kExitTimeout = 10000;

class StartupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    exePath = folder.File(UniqueProductName("E2e"));
    ASSERT_TRUE(folder.CopyProduct(UniqueProductName("E2e"))) << "from " << BuiltProductPath();
  }

  ProductFolder folder;
  std::string exePath;
};

TEST_F(StartupTest, ShowsTheMainWindowWithItsControls) {
  ProductProcess product;
  ASSERT_TRUE(product.Start(exePath));
  const HWND window = product.WaitForMainWindow(kStartTimeout);
  ASSERT_NE(window, nullptr);

  const HWND list = GetDlgItem(window, 1000);
  EXPECT_EQ(ClassName(list), "SysListView32");
  EXPECT_EQ(Ask(list, LVM_GETITEMCOUNT), 0);
  EXPECT_TRUE(GetWindowLongA(list, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
  const struct {
    int id;
    const char* text;
  } buttons[] = {{1013, "Add &File"}, {1014, "Add Fol&der"}, {1017, "Cl&ear All"}, {1015, "&Save"}, {1016, "Save &As"}};
  for (const auto& button : buttons) {
    const HWND control = GetDlgItem(window, button.id);
    EXPECT_EQ(ClassName(control), "Button") << button.text;
    EXPECT_EQ(WindowText(control), button.text);
    EXPECT_TRUE(IsWindowVisible(control)) << button.text;
  }
  EXPECT_EQ(WindowText(GetDlgItem(window, 1022)), "Contained in:");
  EXPECT_EQ(WindowText(GetDlgItem(window, 1030)), "Normal");
  EXPECT_EQ(WindowText(GetDlgItem(window, 1031)), "Small");
  EXPECT_EQ(WindowText(GetDlgItem(window, 1032)), "List");
  EXPECT_EQ(AskControl(window, 1030, BM_GETCHECK), BST_CHECKED);
  EXPECT_EQ(AskControl(window, 1031, BM_GETCHECK), BST_UNCHECKED);
  EXPECT_EQ(AskControl(window, 1032, BM_GETCHECK), BST_UNCHECKED);
  EXPECT_EQ(WindowText(GetDlgItem(window, 1026)), "Select all icons");
  EXPECT_EQ(AskControl(window, 1026, BM_GETCHECK), BST_CHECKED);
  EXPECT_EQ(WindowText(GetDlgItem(window, 1012)), "");
  EXPECT_NE(GetMenu(window), nullptr);
}

TEST_F(StartupTest, WritesConfigIniWithTheFourteenDefaultsInOrder) {
  ProductProcess product;
  ASSERT_TRUE(product.Start(exePath));
  ASSERT_NE(product.WaitForMainWindow(kStartTimeout), nullptr);

  const std::vector<std::string> expected = {
      "[Setting]", "RestorePath=C:\\IconLibrary", "View=0", "SelectAll=1", "Confirm=1", "DefaultType=ico",
      "TitlePrefix=Untitled", "OpenDir=1", "[Filter]", "Exe=1", "Dll=1", "Ico=1", "Icl=1", "Cpl=1", "Ocx=1", "Scr=1"};
  EXPECT_EQ(ReadLines(folder.File("Config.ini")), expected);
}

TEST_F(StartupTest, KeepsAnExistingEmptyConfigIniEmpty) {
  std::ofstream(folder.File("Config.ini")).close();
  ProductProcess product;
  ASSERT_TRUE(product.Start(exePath));
  const HWND window = product.WaitForMainWindow(kStartTimeout);
  ASSERT_NE(window, nullptr);

  WIN32_FILE_ATTRIBUTE_DATA data{};
  ASSERT_TRUE(GetFileAttributesExA(folder.File("Config.ini").c_str(), GetFileExInfoStandard, &data));
  EXPECT_EQ(data.nFileSizeLow, 0u);
  // Every setting reads as missing: "Select all icons" starts unticked.
  EXPECT_EQ(AskControl(window, 1026, BM_GETCHECK), BST_UNCHECKED);
}

TEST_F(StartupTest, StartsInTheViewThatConfigIniNames) {
  WritePrivateProfileStringA("Setting", "View", "2", folder.File("Config.ini").c_str());
  ProductProcess product;
  ASSERT_TRUE(product.Start(exePath));
  const HWND window = product.WaitForMainWindow(kStartTimeout);
  ASSERT_NE(window, nullptr);

  EXPECT_EQ(AskControl(window, 1032, BM_GETCHECK), BST_CHECKED);
  EXPECT_EQ(GetWindowLongA(GetDlgItem(window, 1000), GWL_STYLE) & LVS_TYPEMASK, LVS_LIST);
}

TEST_F(StartupTest, ASecondStartEndsAtOnceWithoutAWindow) {
  ProductProcess first;
  ASSERT_TRUE(first.Start(exePath));
  ASSERT_NE(first.WaitForMainWindow(kStartTimeout), nullptr);

  ProductProcess second;
  ASSERT_TRUE(second.Start(exePath));
  DWORD code = 1;
  EXPECT_TRUE(second.WaitForExit(kExitTimeout, &code));
  EXPECT_EQ(code, 0u);
  EXPECT_TRUE(MainWindowsOf(second.Id()).empty());
  EXPECT_TRUE(first.IsRunning());
  EXPECT_EQ(MainWindowsOf(first.Id()).size(), 1u);
}

TEST_F(StartupTest, ACopyUnderAnotherNameRunsAlongside) {
  const std::string otherName = UniqueProductName("E2eOther");
  ASSERT_TRUE(folder.CopyProduct(otherName));
  ProductProcess first;
  ProductProcess other;
  ASSERT_TRUE(first.Start(exePath));
  ASSERT_NE(first.WaitForMainWindow(kStartTimeout), nullptr);

  ASSERT_TRUE(other.Start(folder.File(otherName)));

  EXPECT_NE(other.WaitForMainWindow(kStartTimeout), nullptr);
  EXPECT_TRUE(first.IsRunning());
}

TEST_F(StartupTest, ClosingTheWindowEndsTheProcess) {
  ProductProcess product;
  ASSERT_TRUE(product.Start(exePath));
  const HWND window = product.WaitForMainWindow(kStartTimeout);
  ASSERT_NE(window, nullptr);

  PostMessageA(window, WM_CLOSE, 0, 0);

  EXPECT_TRUE(product.WaitForExit(kExitTimeout));
}

TEST_F(StartupTest, EscapeWithAnEmptyListEndsTheProcess) {
  ProductProcess product;
  ASSERT_TRUE(product.Start(exePath));
  const HWND window = product.WaitForMainWindow(kStartTimeout);
  ASSERT_NE(window, nullptr);

  PostMessageA(GetDlgItem(window, 1000), WM_KEYDOWN, VK_ESCAPE, 1);

  EXPECT_TRUE(product.WaitForExit(kExitTimeout));
}

}  // namespace
