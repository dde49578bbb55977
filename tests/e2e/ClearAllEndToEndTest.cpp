// Clear All in the real program: from its key and its button, the
// confirmation and its "Don't ask me the next time." box, read back from the
// list and from Config.ini.

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "ProductProcess.h"
#include "SaveE2eSupport.h"
#include "SettingsE2eSupport.h"

namespace {

constexpr DWORD kStartTimeout = 20000;
constexpr DWORD kDialogTimeout = 10000;
constexpr int kIconList = 1000;
constexpr int kAddFileButton = 1013;
constexpr int kClearAllButton = 1017;
constexpr int kDontAskBox = 1036;
constexpr int kFileNameBox = 0x47c;
const char kModule[] = "Z:\\usr\\lib\\i386-linux-gnu\\wine\\i386-windows\\comdlg32.dll";

class ClearAllEndToEndTest : public ::testing::Test {
 protected:
  void SetUp() override {
    exeName = UniqueProductName("Clear");
    ASSERT_TRUE(folder.CopyProduct(exeName));
    ini = folder.File("Config.ini");
    ASSERT_TRUE(product.Start(folder.File(exeName)));
    window = product.WaitForMainWindow(kStartTimeout);
    ASSERT_NE(window, nullptr);
  }
  int ItemCount() const { return static_cast<int>(AskControl(window, kIconList, LVM_GETITEMCOUNT)); }
  bool MainWindowFree() const { return IsWindowEnabled(window) && !FindDialogOf(product.Id(), window); }
  std::string RawConfirm() const {
    char value[32] = {};
    GetPrivateProfileStringA("Setting", "Confirm", "<missing>", value, sizeof value, ini.c_str());
    return value;
  }
  // Add File with a module of Wine's picked in the system's open dialog.
  void AddIcons() {
    ClickButton(window, kAddFileButton);
    const HWND dialog = WaitForDialogOf(product.Id(), window, kFileNameBox, kDialogTimeout);
    ASSERT_NE(dialog, nullptr) << "no open dialog";
    TypeFileNameAndEnter(dialog, kModule);
    ASSERT_TRUE(WaitUntil([&] { return ItemCount() > 0 && MainWindowFree(); }, kDialogTimeout));
  }
  HWND WaitForConfirmation(DWORD milliseconds = kDialogTimeout) const {
    return WaitForDialogOf(product.Id(), window, kDontAskBox, milliseconds);
  }
  void PressCtrlE() {
    ASSERT_TRUE(BringToFront(window));
    PressKey('E', true);
  }

  ProductFolder folder;
  std::string exeName;
  std::string ini;
  ProductProcess product;
  HWND window = nullptr;
};

TEST_F(ClearAllEndToEndTest, AsksFirstAndEscapeKeepsTheIcons) {
  AddIcons();
  const int items = ItemCount();
  PressCtrlE();
  const HWND confirm = WaitForConfirmation();
  ASSERT_NE(confirm, nullptr) << "no confirmation";
  EXPECT_EQ(WindowText(confirm), "Confirm");
  // The icon's static holds its resource number as text; only the question counts.
  EXPECT_NE(BoxText(confirm).find("Are you sure to clear all the icons?"), std::string::npos) << BoxText(confirm);
  EXPECT_EQ(GetWindow(confirm, GW_OWNER), window);
  EXPECT_FALSE(IsWindowEnabled(window));

  BringToFront(confirm);
  PressKey(VK_ESCAPE);
  ASSERT_TRUE(WaitUntil([&] { return MainWindowFree(); }, kDialogTimeout));
  EXPECT_EQ(ItemCount(), items);
  EXPECT_EQ(RawConfirm(), "1");
}

TEST_F(ClearAllEndToEndTest, DontAskMeClearsAndTheNextClearAllAsksNoMore) {
  AddIcons();
  ClickButton(window, kClearAllButton);
  const HWND confirm = WaitForConfirmation();
  ASSERT_NE(confirm, nullptr) << "no confirmation";
  BringToFront(confirm);
  ASSERT_TRUE(TabTo(confirm, kDontAskBox));
  PressKey(VK_SPACE);
  ASSERT_TRUE(WaitUntil([&] { return AskControl(confirm, kDontAskBox, BM_GETCHECK) == BST_CHECKED; }, kDialogTimeout));
  PressKey(VK_RETURN);
  ASSERT_TRUE(WaitUntil([&] { return MainWindowFree(); }, kDialogTimeout));
  EXPECT_EQ(ItemCount(), 0);
  EXPECT_EQ(RawConfirm(), "0");

  AddIcons();
  PressCtrlE();
  ASSERT_TRUE(WaitUntil([&] { return ItemCount() == 0; }, kDialogTimeout));
  EXPECT_EQ(WaitForConfirmation(500), nullptr);
}

}  // namespace
