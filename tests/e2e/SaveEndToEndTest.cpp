// The main job through the real window: Add File picks Wine's shell32.dll in
// the system's open dialog, Save writes every icon, and each file is held
// against what wrestool extracts for the same icon group. Then bitmaps, Save
// As through the system's save dialog, and Exit with icons not yet saved.

#include <algorithm>
#include <cstdio>

#include "ProductProcess.h"

namespace {

constexpr DWORD kSaveTimeout = 60000;
constexpr int kExitMenuItem = 32778;
constexpr int kProgressBar = 1063;

std::string Numbered(const std::string& base, size_t number, const char* type) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "_%04u.", static_cast<unsigned>(number));
  return base + digits + type;
}

// The first image of a group that is not PNG, or nothing.
Bytes FirstDib(const std::string& icoPath) {
  for (Bytes& block : IcoBlocks(ReadFileBytes(icoPath)))
    if (!IsPng(block)) return block;
  return {};
}

const std::string kShell32 = std::string(kWineModules) + "shell32.dll";

// wrestool runs once for the whole program: its result does not change.
struct Reference {
  TempFolder folder;
  std::vector<WrestoolGroup> groups;
  std::string error;
  bool ok = ExtractWithWrestool(kShell32, folder.Path(), &groups, &error);
};

class SaveEndToEndTest : public ProductTest {
 protected:
  void SetUp() override {
    ProductTest::SetUp();
    WriteSettings(folder.File("Config.ini"), library.Path());
  }
  void StartWithShell32() {
    ASSERT_TRUE(reference.ok) << reference.error;
    Start();
    AddFile(kShell32, static_cast<int>(groups.size()));
  }

  // Waits until `files` files are in `target` and the main window is free;
  // message boxes shown on the way are answered and counted.
  void WaitForSave(const std::string& target, size_t files, int* boxes = nullptr) {
    const bool finished = WaitUntil(
        [&] {
          const HWND box = FindDialogOf(product.Id(), window, IDOK);
          if (box && !GetDlgItem(box, kProgressBar)) {
            if (boxes) ++*boxes;
            PostMessageA(box, WM_COMMAND, IDOK, 0);
          }
          return NamesIn(target).size() >= files && MainWindowFree();
        },
        kSaveTimeout);
    ASSERT_TRUE(finished) << NamesIn(target).size() << " of " << files << " files";
  }

  // Every `step`th saved .ico holds wrestool's images in order, each byte for
  // byte, but biSizeImage, which our writer stores as 0 in DIB blocks.
  void ExpectIconsMatchWrestool(const TempFolder& target, const std::string& prefix, size_t step) const {
    ASSERT_EQ(NamesIn(target.Path()).size(), groups.size());
    for (size_t i = 0; i < groups.size(); i += step) {
      SCOPED_TRACE("group " + groups[i].name);
      const std::vector<Bytes> ours = IcoBlocks(ReadFileBytes(target.File(Numbered(prefix, i, "ico"))));
      std::vector<Bytes> theirs = IcoBlocks(ReadFileBytes(groups[i].icoPath));
      ASSERT_FALSE(theirs.empty());
      for (Bytes& block : theirs)
        if (!IsPng(block) && block.size() >= 40) std::fill(block.begin() + 20, block.begin() + 24, 0);
      EXPECT_EQ(ours, theirs);
    }
  }

  static Reference& MakeReference() {
    static Reference made;
    return made;
  }
  const Reference& reference = MakeReference();
  const std::vector<WrestoolGroup>& groups = reference.groups;
  TempFolder library;
};

TEST_F(SaveEndToEndTest, SavedIconsHoldWhatWrestoolExtractsForEachGroup) {
  StartWithShell32();
  ClickButton(window, kSaveButton);
  WaitForSave(library.Path(), groups.size());
  ExpectIconsMatchWrestool(library, "Untitled", 1);
}

TEST_F(SaveEndToEndTest, BitmapsHoldTheFirstDibImageOfEachGroup) {
  WritePrivateProfileStringA("Setting", "DefaultType", "bmp", folder.File("Config.ini").c_str());
  StartWithShell32();
  size_t withDib = 0;
  for (const WrestoolGroup& group : groups) withDib += !FirstDib(group.icoPath).empty();

  int boxes = 0;
  ClickButton(window, kSaveButton);
  WaitForSave(library.Path(), withDib, &boxes);

  // A group of PNG images alone has nothing to write as a bitmap: it is
  // reported and keeps its number.
  EXPECT_EQ(static_cast<size_t>(boxes), groups.size() - withDib);
  for (size_t i = 0; i < groups.size(); ++i) {
    const Bytes dib = FirstDib(groups[i].icoPath);
    const std::string name = Numbered("Untitled", i, "bmp");
    if (!dib.empty()) {
      EXPECT_EQ(BitmapMismatch(ReadFileBytes(library.File(name)), dib), "") << name;
    }
  }
}

TEST_F(SaveEndToEndTest, SaveAsWritesNumberedFilesIntoThePickedFolder) {
  StartWithShell32();
  TempFolder other;
  ClickButton(window, kSaveAsButton);
  const HWND dialog = WaitForDialog(kFileNameBox);
  ASSERT_NE(dialog, nullptr) << "no save dialog";
  TypeFileNameAndEnter(dialog, other.File("star.ico"));
  WaitForSave(other.Path(), groups.size());

  EXPECT_TRUE(NamesIn(library.Path()).empty());
  ExpectIconsMatchWrestool(other, "star", 37);
}

TEST_F(SaveEndToEndTest, ExitWithUnsavedIconsAsksFirst) {
  Start();
  AddFile(std::string(kWineModules) + "comdlg32.dll");
  const int items = ItemCount();

  PostMessageA(window, WM_COMMAND, kExitMenuItem, 0);
  HWND box = WaitForDialog(IDNO);
  ASSERT_NE(box, nullptr) << "no question";
  EXPECT_EQ(BoxText(box), "You haven't saved the icons.\nAre you sure to exit?");
  PostMessageA(box, WM_COMMAND, IDNO, 0);
  ASSERT_TRUE(WaitUntil([&] { return MainWindowFree(); }, kDialogTimeout));
  EXPECT_TRUE(product.IsRunning());
  EXPECT_EQ(ItemCount(), items);

  PostMessageA(window, WM_COMMAND, kExitMenuItem, 0);
  box = WaitForDialog(IDNO);
  ASSERT_NE(box, nullptr) << "no second question";
  PostMessageA(box, WM_COMMAND, IDYES, 0);
  // Exit clears the list first, and that is confirmed too.
  const HWND confirm = WaitForDialog(kDontAskBox);
  ASSERT_NE(confirm, nullptr) << "no clearing confirmation";
  PostMessageA(confirm, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(product.WaitForExit(kDialogTimeout));
}

}  // namespace
