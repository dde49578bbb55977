// Add Folder through the real window: Ctrl+D (or the button) opens the
// system's folder browser, the folder is picked in its tree, and the search
// dialog fills the list from a folder of Wine's own modules; Cancel on a
// large tree ends the search soon and keeps the icons found.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "AddFolderE2eSupport.h"
#include "ProductProcess.h"
#include "SaveE2eSupport.h"

namespace {

constexpr DWORD kStartTimeout = 20000;
constexpr DWORD kDialogTimeout = 10000;
constexpr DWORD kSearchTimeout = 120000;
// Long enough for any sound Cancel; a search stuck on a wait never gets there.
constexpr DWORD kCancelTimeout = 10000;
constexpr int kAddFolderButton = 1014;
constexpr int kFillerFiles = 300;
const char kBrowserTitle[] = "Please select a folder to search for icons\nusing the file filter you set.";

int Number(const std::string& text) { return std::atoi(text.c_str()); }

class AddFolderEndToEndTest : public ::testing::Test {
 protected:
  void SetUp() override {
    exeName = UniqueProductName("Search");
    ASSERT_TRUE(folder.CopyProduct(exeName)) << "from " << BuiltProductPath();
  }

  void Start() {
    ASSERT_TRUE(product.Start(folder.File(exeName)));
    window = product.WaitForMainWindow(kStartTimeout);
    ASSERT_NE(window, nullptr);
  }

  std::string CopyModule(const std::string& name, const std::string& to) {
    const std::string target = to + "\\" + name;
    EXPECT_TRUE(CopyFileA((WineSystemModuleFolder() + "\\" + name).c_str(), target.c_str(), FALSE)) << name;
    return target;
  }

  // Picks the tree in the browser that the command opened and presses OK.
  void PickTreeInBrowser() {
    const HWND browser = WaitForFolderBrowser(product.Id(), kDialogTimeout);
    ASSERT_NE(browser, nullptr) << "no folder browser came";
    EXPECT_NE(BoxText(browser).find(kBrowserTitle), std::string::npos) << BoxText(browser);
    std::string error;
    ASSERT_TRUE(PickFolderInBrowser(browser, tree.Path(), &error)) << error;
    ClickButton(browser, IDOK);
  }

  ProductFolder folder;
  ScratchFolder tree{"search-tree"};
  std::string exeName;
  ProductProcess product;
  HWND window = nullptr;
};

TEST_F(AddFolderEndToEndTest, CtrlDSearchesAFolderOfModulesAndTheCountsEndRight) {
  // The modules go in the folder walked first, the files without icons in
  // the one walked after: the final icon count then stays on screen a while.
  CreateDirectoryA((tree.Path() + "\\one").c_str(), nullptr);
  CreateDirectoryA((tree.Path() + "\\two").c_str(), nullptr);
  const std::vector<std::string> order = EntriesOf(tree.Path());
  ASSERT_EQ(order.size(), 2u);
  const std::string modules = tree.Path() + "\\" + order[0];
  const std::string fillers = tree.Path() + "\\" + order[1];
  CreateDirectoryA((modules + "\\more").c_str(), nullptr);

  int expectedIcons = 0;
  int files = 0;
  for (const char* name : {"shell32.dll", "comdlg32.dll", "notepad.exe", "regedit.exe", "winefile.exe"}) {
    expectedIcons += SystemIconGroupCount(CopyModule(name, modules));
    ++files;
  }
  for (const char* name : {"winemine.exe", "taskmgr.exe"}) {
    expectedIcons += SystemIconGroupCount(CopyModule(name, modules + "\\more"));
    ++files;
  }
  ASSERT_TRUE(WriteFileBytes(modules + "\\readme.txt", {'h', 'i'}));
  ++files;
  for (int i = 0; i < kFillerFiles; ++i) {
    ASSERT_TRUE(WriteFileBytes(fillers + "\\note" + std::to_string(i) + ".txt", {'x'}));
    ++files;
  }
  ASSERT_GT(expectedIcons, 190);

  Start();
  PressCtrlKey(window, 'D');
  PickTreeInBrowser();
  const SearchDialogRecord search = WatchSearchDialog(product.Id(), kSearchTimeout);
  ASSERT_TRUE(search.seen) << "no search dialog came";
  ASSERT_TRUE(search.closed) << "the search did not end";

  EXPECT_EQ(ListItemCount(window), expectedIcons);
  EXPECT_TRUE(IsWindowEnabled(window));
  ASSERT_FALSE(search.iconLabels.empty());
  EXPECT_EQ(search.iconLabels.front(), "0");
  EXPECT_EQ(search.iconLabels.back(), std::to_string(expectedIcons));
  for (size_t i = 1; i < search.iconLabels.size(); ++i)
    EXPECT_LT(Number(search.iconLabels[i - 1]), Number(search.iconLabels[i])) << search.iconLabels[i];
  // While file n loads the label shows n - 1, so it never reaches the number of files.
  ASSERT_FALSE(search.fileLabels.empty());
  for (size_t i = 1; i < search.fileLabels.size(); ++i)
    EXPECT_LT(Number(search.fileLabels[i - 1]), Number(search.fileLabels[i])) << search.fileLabels[i];
  EXPECT_LE(Number(search.fileLabels.back()), files - 1);
  EXPECT_GT(Number(search.fileLabels.back()), files - kFillerFiles);
  EXPECT_EQ(search.lastCurrentFile.rfind(fillers + "\\note", 0), 0u) << search.lastCurrentFile;
}

TEST_F(AddFolderEndToEndTest, CancelOnALargeTreeEndsSoonAndKeepsTheIconsFound) {
  constexpr int kCopies = 40;
  const std::string first = CopyModule("shell32.dll", tree.Path());
  const int groups = SystemIconGroupCount(first);
  ASSERT_GT(groups, 100);
  for (int i = 1; i < kCopies; ++i) {
    const std::string copy = tree.Path() + "\\shell" + std::to_string(100 + i) + ".dll";
    // Links cost no room; a copy does where links are not to be had.
    if (!CreateHardLinkA(copy.c_str(), first.c_str(), nullptr)) {
      ASSERT_TRUE(CopyFileA(first.c_str(), copy.c_str(), FALSE));
    }
  }

  Start();
  ClickButton(window, kAddFolderButton);
  PickTreeInBrowser();
  DWORD cancelledAt = 0;
  const SearchDialogRecord search = WatchSearchDialog(product.Id(), kSearchTimeout, 2 * groups + 1, &cancelledAt);
  ASSERT_TRUE(search.seen) << "no search dialog came";
  ASSERT_TRUE(search.closed) << "the search did not end";
  ASSERT_NE(cancelledAt, 0u) << "the search ended before Cancel";
  const DWORD answeredIn = GetTickCount() - cancelledAt;
  RecordProperty("cancel_ms", static_cast<int>(answeredIn));
  EXPECT_LT(answeredIn, kCancelTimeout);

  const int kept = ListItemCount(window);
  EXPECT_GE(kept, 2 * groups + 1);
  EXPECT_LT(kept, kCopies * groups);
  EXPECT_LE(Number(search.iconLabels.back()), kept);
}

}  // namespace
