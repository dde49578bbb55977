// The About box of the real program: opened from the Help menu with the
// keyboard, what it shows, and closed again with Escape or Enter.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "ProductProcess.h"
#include "SaveE2eSupport.h"
#include "SettingsE2eSupport.h"

namespace {

constexpr DWORD kStartTimeout = 20000;
constexpr DWORD kDialogTimeout = 10000;
constexpr int kWebsiteLink = 1002;
constexpr int kSupportLink = 1003;

class AboutEndToEndTest : public ::testing::Test {
 protected:
  void SetUp() override {
    exeName = UniqueProductName("About");
    ASSERT_TRUE(folder.CopyProduct(exeName));
    ASSERT_TRUE(product.Start(folder.File(exeName)));
    window = product.WaitForMainWindow(kStartTimeout);
    ASSERT_NE(window, nullptr);
  }
  // Help > About, with Alt+H and A.
  HWND OpenAbout() {
    ChooseMenuItem(window, 'H', 'A');
    const HWND about = WaitForDialogOf(product.Id(), window, kWebsiteLink, kDialogTimeout);
    if (about) BringToFront(about);
    return about;
  }
  bool ClosedAndWindowFree(HWND about) const {
    return (!IsWindow(about) || !IsWindowVisible(about)) && IsWindowEnabled(window);
  }

  ProductFolder folder;
  std::string exeName;
  ProductProcess product;
  HWND window = nullptr;
};

TEST_F(AboutEndToEndTest, OpensFromTheHelpMenuAndEscapeClosesIt) {
  const HWND about = OpenAbout();
  ASSERT_NE(about, nullptr) << "no About box";
  EXPECT_EQ(WindowText(about), "About Vantrel 1.1");
  EXPECT_EQ(WindowText(GetDlgItem(about, kWebsiteLink)), "www.dorvane.example");
  EXPECT_EQ(WindowText(GetDlgItem(about, kSupportLink)), "support@dorvane.example");
  EXPECT_EQ(GetWindow(about, GW_OWNER), window);
  EXPECT_FALSE(IsWindowEnabled(window));

  PressKey(VK_ESCAPE);
  EXPECT_TRUE(WaitUntil([&] { return ClosedAndWindowFree(about); }, kDialogTimeout));
  EXPECT_TRUE(product.IsRunning());
}

TEST_F(AboutEndToEndTest, EnterPressesOkAndTheBoxOpensAgain) {
  HWND about = OpenAbout();
  ASSERT_NE(about, nullptr) << "no About box";
  PressKey(VK_RETURN);
  ASSERT_TRUE(WaitUntil([&] { return ClosedAndWindowFree(about); }, kDialogTimeout));

  about = OpenAbout();
  ASSERT_NE(about, nullptr) << "no About box the second time";
  PressKey(VK_RETURN);
  EXPECT_TRUE(WaitUntil([&] { return ClosedAndWindowFree(about); }, kDialogTimeout));
}

}  // namespace
