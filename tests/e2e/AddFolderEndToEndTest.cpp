// Add Folder through the real window: Ctrl+D (or the button) opens the
// system's folder browser, the folder is picked in its tree, and the search
// dialog fills the list from a folder of Wine's own modules; Cancel on a
// large tree ends the search soon and keeps the icons found.

#include <cstdlib>
#include <fstream>

#include "ProductProcess.h"

namespace {

constexpr DWORD kSearchTimeout = 120000;
// Long enough for any sound Cancel; a search stuck on a wait never gets there.
constexpr DWORD kCancelTimeout = 10000;
constexpr int kFileCountLabel = 1044;
constexpr int kIconCountLabel = 1045;
constexpr int kCurrentFileBox = 1046;
constexpr int kFillerFiles = 30;

int Number(const std::string& text) { return std::atoi(text.c_str()); }

BOOL CALLBACK CountName(HMODULE, LPCSTR, LPSTR, LONG_PTR count) {
  ++*reinterpret_cast<int*>(count);
  return TRUE;
}

// Icon groups in a module as the system's own loader enumerates them.
int SystemIconGroupCount(const std::string& modulePath) {
  const HMODULE module = LoadLibraryExA(modulePath.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (!module) return -1;
  int count = 0;
  EnumResourceNamesA(module, MAKEINTRESOURCEA(14), CountName, reinterpret_cast<LONG_PTR>(&count));
  FreeLibrary(module);
  return count;
}

// What the search dialog showed from its opening until it closed.
struct SearchRecord {
  bool seen = false;
  bool closed = false;
  std::vector<std::string> fileLabels;  // each change, in order
  std::vector<std::string> iconLabels;
  DWORD cancelledAt = 0;
};

class AddFolderEndToEndTest : public ProductTest {
 protected:
  std::string CopyModule(const std::string& name, const std::string& to) {
    const std::string target = to + "\\" + name;
    EXPECT_TRUE(CopyFileA((kWineSystemFolder + name).c_str(), target.c_str(), FALSE)) << name;
    return target;
  }

  // Picks the tree in the browser the command opened and presses OK.
  void PickTreeInBrowser() {
    const HWND browser = WaitForDialogOf(product.Id(), window, 0, kDialogTimeout, "SysTreeView32");
    ASSERT_NE(browser, nullptr) << "no folder browser came";
    EXPECT_NE(BoxText(browser).find("Please select a folder to search for icons\nusing the file filter you set."),
              std::string::npos)
        << BoxText(browser);
    std::string error;
    ASSERT_TRUE(PickFolderInBrowser(browser, tree.Path(), &error)) << error;
    ClickButton(browser, IDOK);
  }

  // Reads the dialog's labels as fast as it can; when `cancelAtIcons` is
  // positive, presses Cancel once the icon label reaches it.
  SearchRecord WatchSearchDialog(int cancelAtIcons = 0) const {
    SearchRecord record;
    const DWORD start = GetTickCount();
    HWND dialog = nullptr;
    while (!dialog && GetTickCount() - start < kSearchTimeout) {
      dialog = FindDialogOf(product.Id(), nullptr, kCurrentFileBox);
      if (!dialog) Sleep(5);
    }
    record.seen = dialog != nullptr;
    // The labels' texts are those the system keeps for the windows: reading
    // them sends nothing to the product, which stays free to run.
    while (dialog && GetTickCount() - start < kSearchTimeout) {
      if ((record.closed = !IsWindow(dialog) || !IsWindowVisible(dialog))) break;
      const std::string files = WindowText(GetDlgItem(dialog, kFileCountLabel));
      const std::string icons = WindowText(GetDlgItem(dialog, kIconCountLabel));
      if (record.fileLabels.empty() || record.fileLabels.back() != files) record.fileLabels.push_back(files);
      if (record.iconLabels.empty() || record.iconLabels.back() != icons) record.iconLabels.push_back(icons);
      if (cancelAtIcons > 0 && !record.cancelledAt && Number(icons) >= cancelAtIcons) {
        ClickButton(dialog, IDCANCEL);
        record.cancelledAt = GetTickCount();
      }
      Sleep(1);
    }
    return record;
  }

  TempFolder tree;
};

TEST_F(AddFolderEndToEndTest, CtrlDSearchesAFolderOfModulesAndTheCountsFollowIt) {
  const std::string modules = tree.File("modules");
  const std::string fillers = tree.File("notes");
  CreateDirectoryA(modules.c_str(), nullptr);
  CreateDirectoryA(fillers.c_str(), nullptr);
  CreateDirectoryA((modules + "\\more").c_str(), nullptr);

  int expectedIcons = 0;
  for (const char* name : {"shell32.dll", "comdlg32.dll", "notepad.exe", "regedit.exe", "winefile.exe"})
    expectedIcons += SystemIconGroupCount(CopyModule(name, modules));
  for (const char* name : {"winemine.exe", "taskmgr.exe"})
    expectedIcons += SystemIconGroupCount(CopyModule(name, modules + "\\more"));
  std::ofstream(modules + "\\readme.txt") << "hi";
  for (int i = 0; i < kFillerFiles; ++i) std::ofstream(fillers + "\\note" + std::to_string(i) + ".txt") << "x";
  const int files = 8 + kFillerFiles;
  ASSERT_GT(expectedIcons, 190);

  Start();
  ASSERT_TRUE(BringToFront(window));
  PressKey('D', true);
  PickTreeInBrowser();
  const SearchRecord search = WatchSearchDialog();
  ASSERT_TRUE(search.seen) << "no search dialog came";
  ASSERT_TRUE(search.closed) << "the search did not end";

  EXPECT_EQ(ItemCount(), expectedIcons);
  EXPECT_TRUE(IsWindowEnabled(window));
  // The labels follow the search a few times a second; the last values may
  // be shown just before the dialog closes, too briefly to be read here.
  EXPECT_EQ(search.iconLabels.front(), "0");
  EXPECT_LE(Number(search.iconLabels.back()), expectedIcons);
  EXPECT_GT(search.iconLabels.size(), 1u) << "the icon count never moved while the dialog was open";
  for (const auto* labels : {&search.iconLabels, &search.fileLabels})
    for (size_t i = 1; i < labels->size(); ++i) EXPECT_LT(Number((*labels)[i - 1]), Number((*labels)[i]));
  // While file n loads the label shows n - 1, so it never reaches the number of files.
  EXPECT_LE(Number(search.fileLabels.back()), files - 1);
}

TEST_F(AddFolderEndToEndTest, CancelOnALargeTreeEndsSoonAndKeepsTheIconsFound) {
  constexpr int kCopies = 40;
  const std::string first = CopyModule("shell32.dll", tree.Path());
  const int groups = SystemIconGroupCount(first);
  ASSERT_GT(groups, 100);
  for (int i = 1; i < kCopies; ++i) {
    const std::string copy = tree.File("shell" + std::to_string(100 + i) + ".dll");
    // Links cost no room; a copy does where links are not to be had.
    if (!CreateHardLinkA(copy.c_str(), first.c_str(), nullptr)) {
      ASSERT_TRUE(CopyFileA(first.c_str(), copy.c_str(), FALSE));
    }
  }

  Start();
  ClickButton(window, kAddFolderButton);
  PickTreeInBrowser();
  const SearchRecord search = WatchSearchDialog(2 * groups + 1);
  ASSERT_TRUE(search.seen) << "no search dialog came";
  ASSERT_TRUE(search.closed) << "the search did not end";
  ASSERT_NE(search.cancelledAt, 0u) << "the search ended before Cancel";
  EXPECT_LT(GetTickCount() - search.cancelledAt, kCancelTimeout);

  const int kept = ItemCount();
  EXPECT_GE(kept, 2 * groups + 1);
  EXPECT_LT(kept, kCopies * groups);
  EXPECT_LE(Number(search.iconLabels.back()), kept);
}

}  // namespace
