// The main job through the real window: Add File picks Wine's shell32.dll in
// the system's open dialog, Save writes every icon group with every image,
// Save As writes into the folder picked in the system's save dialog, and Exit
// asks about icons not yet saved. (The reader the files are held against is
// itself held against wrestool by the native tests.)

#include <cstdio>

#include "ProductProcess.h"
#include "formats/IconFileIO.h"
#include "formats/ModuleResources.h"

namespace {

constexpr DWORD kSaveTimeout = 60000;
constexpr int kExitMenuItem = 32778;

const std::string kShell32 = std::string(kWineSystemFolder) + "shell32.dll";

std::string Numbered(const std::string& base, size_t number) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "_%04u.ico", static_cast<unsigned>(number));
  return base + digits;
}

// Every group's images as a saved .ico file must hold them, in list order.
std::vector<std::vector<Bytes>> ExpectedGroups() {
  std::vector<std::vector<Bytes>> groups;
  const auto module = ModuleResources::OpenFile(kShell32);
  if (!module) return groups;
  for (const ResourceName& name : module->EnumNames(kResourceGroupIcon)) {
    const IconImageSetPtr set = IconFileIO().LoadGroupIcon(*module, name, kShell32);
    groups.emplace_back();
    for (uint32_t i = 0; set && i < set->imageCount; ++i)
      groups.back().push_back(WithSizeImageCleared(Bytes(set->images[i].block,
                                                         set->images[i].block + set->images[i].blockSize)));
  }
  return groups;
}

class SaveEndToEndTest : public ProductTest {
 protected:
  void SetUp() override {
    ProductTest::SetUp();
    WriteSettings(folder.File("Config.ini"), library.Path());
    ASSERT_GT(groups.size(), 100u);
    Start();
    AddFile(kShell32, static_cast<int>(groups.size()));
  }

  void WaitForSave(const std::string& target) {
    const bool finished =
        WaitUntil([&] { return NamesIn(target).size() >= groups.size() && MainWindowFree(); }, kSaveTimeout);
    ASSERT_TRUE(finished) << NamesIn(target).size() << " of " << groups.size() << " files";
  }

  // Every `step`th saved file holds its group's images byte for byte, but
  // biSizeImage, which the writer stores as 0 in DIB blocks.
  void ExpectGroupsSaved(const TempFolder& target, const std::string& prefix, size_t step) const {
    ASSERT_EQ(NamesIn(target.Path()).size(), groups.size());
    for (size_t i = 0; i < groups.size(); i += step)
      EXPECT_EQ(IcoBlocks(ReadBytes(target.File(Numbered(prefix, i)))), groups[i]) << "group " << i;
  }

  const std::vector<std::vector<Bytes>> groups = ExpectedGroups();
  TempFolder library;
};

TEST_F(SaveEndToEndTest, SaveWritesEveryGroupWithEveryImage) {
  ClickButton(window, kSaveButton);
  WaitForSave(library.Path());
  ExpectGroupsSaved(library, "Untitled", 1);
}

TEST_F(SaveEndToEndTest, SaveAsWritesNumberedFilesIntoThePickedFolder) {
  TempFolder other;
  ClickButton(window, kSaveAsButton);
  const HWND dialog = WaitForDialog(kFileNameBox);
  ASSERT_NE(dialog, nullptr) << "no save dialog";
  TypeFileNameAndEnter(dialog, other.File("star.ico"));
  WaitForSave(other.Path());

  EXPECT_TRUE(NamesIn(library.Path()).empty());
  ExpectGroupsSaved(other, "star", 37);
}

TEST_F(SaveEndToEndTest, ExitWithUnsavedIconsAsksFirst) {
  PostMessageA(window, WM_COMMAND, kExitMenuItem, 0);
  HWND box = WaitForDialog(IDNO);
  ASSERT_NE(box, nullptr) << "no question";
  EXPECT_EQ(BoxText(box), "You haven't saved the icons.\nAre you sure to exit?");
  PostMessageA(box, WM_COMMAND, IDNO, 0);
  ASSERT_TRUE(WaitUntil([&] { return MainWindowFree(); }, kDialogTimeout));
  EXPECT_TRUE(product.IsRunning());
  EXPECT_EQ(ItemCount(), static_cast<int>(groups.size()));

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
