// The Setting dialog of the real program, reached through the menu and
// operated with the keyboard only; what it stores is read from Config.ini
// and from the main window.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "ProductProcess.h"
#include "SaveE2eSupport.h"
#include "SettingsE2eSupport.h"

namespace {

constexpr DWORD kStartTimeout = 20000;
constexpr DWORD kDialogTimeout = 10000;
constexpr int kMainSelectAll = 1026;
constexpr int kOpenDirBox = 1069;
constexpr int kSelectAllBox = 1026;
constexpr int kConfirmBox = 1037;
constexpr int kDllBox = 1039;
constexpr int kTypeList = 1049;
constexpr int kPrefixBox = 1052;
const int kTypeBoxes[] = {1038, 1039, 1040, 1047, 1059, 1060, 1061};

class SettingsEndToEndTest : public ::testing::Test {
 protected:
  void SetUp() override {
    exeName = UniqueProductName("Setting");
    ASSERT_TRUE(folder.CopyProduct(exeName));
    ini = folder.File("Config.ini");
    ASSERT_TRUE(product.Start(folder.File(exeName)));
    window = product.WaitForMainWindow(kStartTimeout);
    ASSERT_NE(window, nullptr);
  }
  std::string Raw(const char* section, const char* key) const {
    char value[300] = {};
    GetPrivateProfileStringA(section, key, "<missing>", value, sizeof value, ini.c_str());
    return value;
  }
  // Operation > Setting, with Alt+O and T.
  HWND OpenSettings() {
    ChooseMenuItem(window, 'O', 'T');
    const HWND dialog = WaitForDialogOf(product.Id(), window, kOpenDirBox, kDialogTimeout);
    if (dialog) BringToFront(dialog);
    return dialog;
  }
  // Moves to a check box with Tab and flips it with the space bar.
  void Toggle(HWND dialog, int id) {
    ASSERT_TRUE(TabTo(dialog, id)) << id;
    PressKey(VK_SPACE);
  }
  bool Closed(HWND dialog) const { return !IsWindow(dialog) || !IsWindowVisible(dialog); }

  ProductFolder folder;
  std::string exeName;
  std::string ini;
  ProductProcess product;
  HWND window = nullptr;
};

TEST_F(SettingsEndToEndTest, KeyboardChangesReachConfigIniAndTheWindow) {
  const HWND dialog = OpenSettings();
  ASSERT_NE(dialog, nullptr) << "no Setting dialog";
  EXPECT_EQ(WindowText(dialog), "Setting");
  EXPECT_EQ(GetWindow(dialog, GW_OWNER), window);
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

  EXPECT_EQ(Raw("Setting", "SelectAll"), "0");
  EXPECT_EQ(Raw("Setting", "Confirm"), "0");
  EXPECT_EQ(Raw("Setting", "DefaultType"), "bmp");
  EXPECT_EQ(Raw("Setting", "TitlePrefix"), "shot");
  EXPECT_EQ(Raw("Setting", "RestorePath"), "C:\\IconLibrary");
  EXPECT_EQ(Raw("Setting", "OpenDir"), "1");
  EXPECT_EQ(Raw("Filter", "Dll"), "0");
  for (const char* key : {"Exe", "Ico", "Icl", "Cpl", "Ocx", "Scr"}) EXPECT_EQ(Raw("Filter", key), "1") << key;
  EXPECT_EQ(AskControl(window, kMainSelectAll, BM_GETCHECK), BST_UNCHECKED);
}

TEST_F(SettingsEndToEndTest, EscapeLeavesConfigIniAsItWas) {
  const std::vector<std::string> before = ReadLines(ini);
  const HWND dialog = OpenSettings();
  ASSERT_NE(dialog, nullptr) << "no Setting dialog";
  Toggle(dialog, kSelectAllBox);
  ASSERT_TRUE(TabTo(dialog, kPrefixBox));
  TypeText("gone");
  ASSERT_TRUE(WaitUntil([&] { return ControlText(dialog, kPrefixBox) == "gone"; }, kDialogTimeout));
  PressKey(VK_ESCAPE);
  ASSERT_TRUE(WaitUntil([&] { return Closed(dialog); }, kDialogTimeout));
  EXPECT_EQ(ReadLines(ini), before);
  EXPECT_EQ(AskControl(window, kMainSelectAll, BM_GETCHECK), BST_CHECKED);
}

TEST_F(SettingsEndToEndTest, NoTypeLeftIsRefusedWithAWarningAndTheDialogStays) {
  const HWND dialog = OpenSettings();
  ASSERT_NE(dialog, nullptr) << "no Setting dialog";
  for (const int id : kTypeBoxes) Toggle(dialog, id);
  ASSERT_TRUE(TabTo(dialog, kPrefixBox));
  TypeText("kept");
  PressKey(VK_RETURN);

  const HWND warning = WaitForDialogOf(product.Id(), dialog, IDOK, kDialogTimeout);
  ASSERT_NE(warning, nullptr) << "no warning";
  EXPECT_EQ(WindowText(warning), "Vantrel");
  EXPECT_EQ(BoxText(warning), "You should select at least one type!");
  EXPECT_EQ(GetWindow(warning, GW_OWNER), dialog);
  BringToFront(warning);
  PressKey(VK_RETURN);
  ASSERT_TRUE(WaitUntil([&] { return Closed(warning); }, kDialogTimeout));

  EXPECT_TRUE(IsWindowVisible(dialog));
  EXPECT_EQ(Raw("Setting", "TitlePrefix"), "kept");
  for (const char* key : {"Exe", "Dll", "Ico", "Icl", "Cpl", "Ocx", "Scr"}) EXPECT_EQ(Raw("Filter", key), "1") << key;
  BringToFront(dialog);
  PressKey(VK_ESCAPE);
  ASSERT_TRUE(WaitUntil([&] { return Closed(dialog); }, kDialogTimeout));
  EXPECT_EQ(Raw("Setting", "TitlePrefix"), "kept");
}

}  // namespace
