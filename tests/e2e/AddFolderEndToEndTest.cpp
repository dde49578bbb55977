// Add Folder through the real window: Ctrl+D opens the system's folder
// browser, a tree of forty copies of Wine's shell32.dll is picked there, the
// search dialog counts its way through them, and Cancel ends the search soon
// and keeps the icons found.

#include "ProductProcess.h"

#include <cstdlib>
#include <utility>

#include "formats/ModuleResources.h"

namespace {

constexpr DWORD kSearchTimeout = 120000;
constexpr int kCopies = 40;

int Number(const std::string& text) { return std::atoi(text.c_str()); }

using AddFolderEndToEndTest = ProductTest;

TEST_F(AddFolderEndToEndTest, CtrlDSearchesThePickedTreeWithRisingCountsAndCancelKeepsTheIconsFound) {
  TempFolder tree;
  const std::string first = tree.File("shell100.dll");
  ASSERT_TRUE(CopyFileA((std::string(kWineSystemFolder) + "shell32.dll").c_str(), first.c_str(), FALSE));
  const auto module = ModuleResources::OpenFile(first);
  ASSERT_TRUE(module);
  const int groups = static_cast<int>(module->EnumNames(kResourceGroupIcon).size());
  ASSERT_GT(groups, 100);
  for (int i = 1; i < kCopies; ++i) {
    const std::string copy = tree.File("shell" + std::to_string(100 + i) + ".dll");
    // Links cost no room; a copy does where links are not to be had.
    ASSERT_TRUE(CreateHardLinkA(copy.c_str(), first.c_str(), nullptr) || CopyFileA(first.c_str(), copy.c_str(), FALSE));
  }

  Start();
  ASSERT_TRUE(BringToFront(window));
  PressKey('D', true);
  const HWND browser = WaitForDialog(0);
  ASSERT_NE(browser, nullptr) << "no folder browser came";
  ASSERT_TRUE(PickFolderInBrowser(browser, tree.Path())) << "the browser never showed " << tree.Path();
  ClickButton(browser, IDOK);
  const HWND search = WaitForDialog(IDC_CURRENT_FILE, kSearchTimeout);
  ASSERT_NE(search, nullptr) << "no search dialog came";

  // Each value the labels showed, in order. Their texts are those the system
  // keeps for the windows: reading them sends nothing to the product.
  std::vector<std::string> files, icons;
  const bool reached = WaitUntil(
      [&] {
        for (auto [id, shown] : {std::make_pair(IDC_FILE_COUNT, &files), std::make_pair(IDC_ICON_COUNT, &icons)}) {
          const std::string text = WindowText(GetDlgItem(search, id));
          if (shown->empty() || shown->back() != text) shown->push_back(text);
        }
        return Number(icons.back()) > 2 * groups || !IsWindowVisible(search);
      },
      kSearchTimeout);
  ASSERT_TRUE(reached && IsWindowVisible(search)) << "the search ended before Cancel, or never got far";
  const std::string current = ControlText(search, IDC_CURRENT_FILE);
  ClickButton(search, IDCANCEL);
  // Long enough for any sound Cancel; a search stuck on a wait never gets there.
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(search); }, 10000)) << "Cancel did not end the search";

  EXPECT_EQ(lstrcmpiA(current.substr(0, tree.Path().size()).c_str(), tree.Path().c_str()), 0) << current;
  EXPECT_EQ(icons.front(), "0");
  for (const auto* shown : {&files, &icons})
    for (size_t i = 1; i < shown->size(); ++i) EXPECT_LT(Number((*shown)[i - 1]), Number((*shown)[i]));
  const int kept = ItemCount();
  EXPECT_GT(kept, 2 * groups);
  EXPECT_LT(kept, kCopies * groups);
  EXPECT_LE(Number(icons.back()), kept);
}

}  // namespace
