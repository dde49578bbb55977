// The main job through the real window: Add File picks one of Wine's own
// modules in the system's open dialog, Save writes every icon into the
// library folder, and each file is held against what wrestool extracts for
// the same icon group. Then bitmaps, Save As through the system's save
// dialog, and Exit with icons not yet saved.

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "ProductProcess.h"
#include "SaveE2eSupport.h"

namespace {

constexpr DWORD kStartTimeout = 20000;
constexpr DWORD kDialogTimeout = 10000;
constexpr DWORD kSaveTimeout = 60000;
constexpr int kIconList = 1000;
constexpr int kAddFileButton = 1013;
constexpr int kSaveButton = 1015;
constexpr int kSaveAsButton = 1016;
constexpr int kExitMenuItem = 32778;
constexpr int kProgressBar = 1063;
constexpr int kFileNameBox = 0x47c;
const char kWineModules[] = "Z:\\usr\\lib\\i386-linux-gnu\\wine\\i386-windows\\";

std::string Numbered(const std::string& base, size_t number, const char* type) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "_%04u.", static_cast<unsigned>(number));
  return base + digits + type;
}

class SaveEndToEndTest : public ::testing::Test {
 protected:
  // wrestool runs once for the whole suite: its result does not change.
  static void SetUpTestSuite() {
    reference = new ScratchFolder("wrestool");
    referenceOk = ExtractWithWrestool(std::string(kWineModules) + "shell32.dll", reference->Path(), &groups,
                                      &referenceError);
  }
  static void TearDownTestSuite() {
    delete reference;
    reference = nullptr;
    groups.clear();
  }

  void SetUp() override {
    exeName = UniqueProductName("Save");
    ASSERT_TRUE(folder.CopyProduct(exeName));
    WriteSettings(folder.File("Config.ini"), library.Path());
  }

  void Start() {
    ASSERT_TRUE(product.Start(folder.File(exeName)));
    window = product.WaitForMainWindow(kStartTimeout);
    ASSERT_NE(window, nullptr);
  }
  int ItemCount() const { return static_cast<int>(AskControl(window, kIconList, LVM_GETITEMCOUNT)); }
  bool MainWindowFree() const {
    return IsWindowEnabled(window) && !FindDialogOf(product.Id(), window);
  }

  // Add File, the path typed into the system's open dialog and Enter pressed;
  // then waits for that many items (0: for any).
  void AddFile(const std::string& path, int expectedItems) {
    ClickButton(window, kAddFileButton);
    const HWND dialog = WaitForDialogOf(product.Id(), window, kFileNameBox, kDialogTimeout);
    ASSERT_NE(dialog, nullptr) << "no open dialog";
    EXPECT_EQ(GetWindow(dialog, GW_OWNER), window);
    TypeFileNameAndEnter(dialog, path);
    ASSERT_TRUE(WaitUntil(
        [&] { return (expectedItems ? ItemCount() == expectedItems : ItemCount() > 0) && MainWindowFree(); },
        kDialogTimeout))
        << ItemCount() << " items";
  }

  // Runs a save command and waits until `files` files are in `target` and
  // the progress dialog is gone; message boxes the worker shows on the way
  // are answered and their captions kept.
  void SaveAndWait(int button, const std::string& target, size_t files, std::vector<std::string>* boxes = nullptr) {
    ClickButton(window, button);
    const bool finished = WaitUntil(
        [&] {
          const HWND box = FindDialogOf(product.Id(), window, IDOK);
          if (box && !GetDlgItem(box, kProgressBar)) {
            if (boxes) boxes->push_back(WindowText(box) + ": " + BoxText(box));
            PostMessageA(box, WM_COMMAND, IDOK, 0);
          }
          return NamesIn(target).size() >= files && MainWindowFree();
        },
        kSaveTimeout);
    ASSERT_TRUE(finished) << NamesIn(target).size() << " of " << files << " files";
  }

  void RequireReference() const { ASSERT_TRUE(referenceOk) << referenceError; }
  std::string Shell32() const { return std::string(kWineModules) + "shell32.dll"; }
  int GroupCount() const { return static_cast<int>(groups.size()); }

  static ScratchFolder* reference;
  static std::vector<WrestoolGroup> groups;
  static bool referenceOk;
  static std::string referenceError;

  ProductFolder folder;
  ScratchFolder library{"library"};
  ScratchFolder other{"other"};
  std::string exeName;
  ProductProcess product;
  HWND window = nullptr;
};

ScratchFolder* SaveEndToEndTest::reference = nullptr;
std::vector<WrestoolGroup> SaveEndToEndTest::groups;
bool SaveEndToEndTest::referenceOk = false;
std::string SaveEndToEndTest::referenceError;

TEST_F(SaveEndToEndTest, SavedIconsHoldWhatWrestoolExtractsForEachGroup) {
  RequireReference();
  Start();
  AddFile(Shell32(), GroupCount());

  SaveAndWait(kSaveButton, library.Path(), groups.size());

  ASSERT_EQ(NamesIn(library.Path()).size(), groups.size());
  for (size_t i = 0; i < groups.size(); ++i) {
    const std::vector<Bytes> ours = IcoBlocks(ReadFileBytes(library.File(Numbered("Untitled", i, "ico"))));
    const std::vector<Bytes> theirs = IcoBlocks(ReadFileBytes(groups[i].icoPath));
    ASSERT_FALSE(theirs.empty()) << groups[i].name;
    ASSERT_EQ(ours.size(), theirs.size()) << "group " << groups[i].name;
    for (size_t image = 0; image < theirs.size(); ++image)
      EXPECT_EQ(ours[image], WithSizeImageCleared(theirs[image])) << "group " << groups[i].name << " image " << image;
  }
}

TEST_F(SaveEndToEndTest, BitmapsHoldTheFirstDibImageOfEachGroup) {
  RequireReference();
  WritePrivateProfileStringA("Setting", "DefaultType", "bmp", folder.File("Config.ini").c_str());
  Start();
  AddFile(Shell32(), GroupCount());
  size_t withDib = 0;
  for (const WrestoolGroup& group : groups)
    for (const Bytes& block : IcoBlocks(ReadFileBytes(group.icoPath)))
      if (!IsPng(block)) {
        ++withDib;
        break;
      }

  std::vector<std::string> boxes;
  SaveAndWait(kSaveButton, library.Path(), withDib, &boxes);

  // A group of PNG images alone has nothing to write as a bitmap: it is
  // reported and keeps its number.
  EXPECT_EQ(boxes.size(), groups.size() - withDib);
  for (size_t i = 0; i < groups.size(); ++i) {
    Bytes firstDib;
    for (const Bytes& block : IcoBlocks(ReadFileBytes(groups[i].icoPath)))
      if (!IsPng(block)) {
        firstDib = block;
        break;
      }
    const std::string name = Numbered("Untitled", i, "bmp");
    if (firstDib.empty()) continue;
    EXPECT_EQ(BitmapMismatch(ReadFileBytes(library.File(name)), firstDib), "") << name << ", group " << groups[i].name;
  }
}

TEST_F(SaveEndToEndTest, SaveAsWritesNumberedFilesIntoThePickedFolder) {
  RequireReference();
  Start();
  AddFile(Shell32(), GroupCount());

  ClickButton(window, kSaveAsButton);
  const HWND dialog = WaitForDialogOf(product.Id(), window, kFileNameBox, kDialogTimeout);
  ASSERT_NE(dialog, nullptr) << "no save dialog";
  TypeFileNameAndEnter(dialog, other.File("star.ico"));
  ASSERT_TRUE(WaitUntil([&] { return NamesIn(other.Path()).size() == groups.size() && MainWindowFree(); },
                        kSaveTimeout))
      << NamesIn(other.Path()).size() << " files";

  EXPECT_TRUE(NamesIn(library.Path()).empty());
  for (size_t i = 0; i < groups.size(); i += 37) {
    const std::vector<Bytes> ours = IcoBlocks(ReadFileBytes(other.File(Numbered("star", i, "ico"))));
    const std::vector<Bytes> theirs = IcoBlocks(ReadFileBytes(groups[i].icoPath));
    ASSERT_EQ(ours.size(), theirs.size()) << i;
    for (size_t image = 0; image < theirs.size(); ++image) EXPECT_EQ(ours[image], WithSizeImageCleared(theirs[image]));
  }
}

TEST_F(SaveEndToEndTest, ExitWithUnsavedIconsAsksFirst) {
  Start();
  AddFile(std::string(kWineModules) + "comdlg32.dll", 0);
  const int items = ItemCount();

  PostMessageA(window, WM_COMMAND, kExitMenuItem, 0);
  HWND box = WaitForDialogOf(product.Id(), window, IDNO, kDialogTimeout);
  ASSERT_NE(box, nullptr) << "no question";
  EXPECT_EQ(WindowText(box), "Vantrel");
  EXPECT_EQ(BoxText(box), "You haven't saved the icons.\nAre you sure to exit?");
  PostMessageA(box, WM_COMMAND, IDNO, 0);
  ASSERT_TRUE(WaitUntil([&] { return MainWindowFree(); }, kDialogTimeout));
  EXPECT_TRUE(product.IsRunning());
  EXPECT_EQ(ItemCount(), items);

  PostMessageA(window, WM_COMMAND, kExitMenuItem, 0);
  box = WaitForDialogOf(product.Id(), window, IDNO, kDialogTimeout);
  ASSERT_NE(box, nullptr) << "no second question";
  PostMessageA(box, WM_COMMAND, IDYES, 0);
  // Then the clearing is confirmed, as Exit clears the list first.
  const HWND confirm = WaitForDialogOf(product.Id(), window, 1036, kDialogTimeout);
  ASSERT_NE(confirm, nullptr) << "no clearing confirmation";
  EXPECT_EQ(WindowText(confirm), "Confirm");
  PostMessageA(confirm, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(product.WaitForExit(kDialogTimeout));
}

TEST_F(SaveEndToEndTest, ExitAfterSavingAsksOnlyAboutClearing) {
  Start();
  AddFile(std::string(kWineModules) + "comdlg32.dll", 0);
  SaveAndWait(kSaveButton, library.Path(), static_cast<size_t>(ItemCount()));

  PostMessageA(window, WM_COMMAND, kExitMenuItem, 0);

  const HWND confirm = WaitForDialogOf(product.Id(), window, 0, kDialogTimeout);
  ASSERT_NE(confirm, nullptr);
  EXPECT_EQ(WindowText(confirm), "Confirm");
  PostMessageA(confirm, WM_COMMAND, IDCANCEL, 0);
  EXPECT_TRUE(product.WaitForExit(kDialogTimeout));
}

}  // namespace
