// The main job through the real window: Add File picks Wine's shell32.dll in
// the system's open dialog, Save writes every icon group with every image,
// Save As writes into the folder picked in the system's save dialog, and
// Clear All asks before the icons go. (The reader the files are held
// against is itself held against modules of known bytes by the format tests.)

#include <cstdio>

#include "ProductProcess.h"
#include "formats/IconFileReader.h"

namespace {

constexpr DWORD kSaveTimeout = 60000;

const std::string kShell32 = std::string(kWineSystemFolder) + "shell32.dll";

// Every group's images as a saved .ico file must hold them, in list order.
std::vector<std::vector<Bytes>> ExpectedGroups() {
  std::vector<std::vector<Bytes>> groups;
  for (const IconGroup& group : ReadIconFile(kShell32).groups) {
    groups.emplace_back();
    for (const IconImage& image : group.set->images) groups.back().push_back(WithSizeImageCleared(*image.block));
  }
  return groups;
}

class SaveEndToEndTest : public ProductTest {
 protected:
  void SetUp() override {
    ProductTest::SetUp();
    // Keys left out read as off: OpenDir among them, which would open a shell window.
    const char* const settings[][3] = {
        {"Setting", "RestorePath", library.Path().c_str()}, {"Setting", "SelectAll", "1"}, {"Setting", "Confirm", "1"},
        {"Setting", "DefaultType", "ico"}, {"Setting", "TitlePrefix", "Untitled"}, {"Filter", "Dll", "1"}};
    for (const auto& s : settings) WritePrivateProfileStringA(s[0], s[1], s[2], folder.File("Config.ini").c_str());
    ASSERT_GT(groups.size(), 100u);
    Start();
    AddFile(kShell32, static_cast<int>(groups.size()));
  }

  // Waits for the save; then every `step`th file holds its group's images
  // byte for byte, but biSizeImage, which the writer stores as 0 in DIB blocks.
  void ExpectGroupsSaved(const TempFolder& target, const std::string& prefix, size_t step) const {
    ASSERT_TRUE(
        WaitUntil([&] { return NamesIn(target.Path()).size() >= groups.size() && MainWindowFree(); }, kSaveTimeout))
        << NamesIn(target.Path()).size() << " of " << groups.size() << " files";
    ASSERT_EQ(NamesIn(target.Path()).size(), groups.size());
    for (size_t i = 0; i < groups.size(); i += step) {
      char number[16];
      std::snprintf(number, sizeof number, "_%04u.ico", static_cast<unsigned>(i));
      EXPECT_EQ(IcoBlocks(ReadBytes(target.File(prefix + number))), groups[i]) << "group " << i;
    }
  }

  const std::vector<std::vector<Bytes>> groups = ExpectedGroups();
  TempFolder library;
};

TEST_F(SaveEndToEndTest, SaveWritesEveryGroupWithEveryImageAndSaveAsIntoThePickedFolder) {
  ClickButton(window, IDC_SAVE);
  ExpectGroupsSaved(library, "Untitled", 1);

  TempFolder other;
  ClickButton(window, IDC_SAVE_AS);
  const HWND dialog = WaitForDialog(kFileNameBox);
  ASSERT_NE(dialog, nullptr) << "no save dialog";
  TypeFileNameAndEnter(dialog, other.File("star.ico"));
  ExpectGroupsSaved(other, "star", 37);
  EXPECT_EQ(NamesIn(library.Path()).size(), groups.size());
}

// Escape keeps the icons; asked again, "Don't ask me" is kept in Config.ini;
// Exit with nothing left to lose asks nothing.
TEST_F(SaveEndToEndTest, ClearAllAsksBeforeTheIconsGo) {
  ASSERT_TRUE(BringToFront(window));
  PressKey('E', true);
  const HWND confirm = WaitForDialog(IDC_DONT_ASK);
  ASSERT_NE(confirm, nullptr) << "no confirmation";
  // The icon's static holds its resource number as text; only the question counts.
  EXPECT_NE(BoxText(confirm).find("Are you sure to clear all the icons?"), std::string::npos) << BoxText(confirm);
  ASSERT_TRUE(BringToFront(confirm));
  PressKey(VK_ESCAPE);
  ASSERT_TRUE(WaitUntil([&] { return MainWindowFree(); }, kDialogTimeout));
  EXPECT_EQ(ItemCount(), static_cast<int>(groups.size()));

  PressKey('E', true);
  const HWND again = WaitForDialog(IDC_DONT_ASK);
  ASSERT_NE(again, nullptr) << "no second confirmation";
  ASSERT_TRUE(BringToFront(again));
  ASSERT_TRUE(TabTo(again, IDC_DONT_ASK));
  PressKey(VK_SPACE);
  ASSERT_TRUE(
      WaitUntil([&] { return Ask(GetDlgItem(again, IDC_DONT_ASK), BM_GETCHECK) == BST_CHECKED; }, kDialogTimeout));
  PressKey(VK_RETURN);
  ASSERT_TRUE(WaitUntil([&] { return ItemCount() == 0 && MainWindowFree(); }, kDialogTimeout)) << ItemCount();
  EXPECT_EQ(GetPrivateProfileIntA("Setting", "Confirm", -1, folder.File("Config.ini").c_str()), 0);
  PostMessageA(window, WM_COMMAND, ID_EXIT, 0);
  EXPECT_TRUE(product.WaitForExit(kDialogTimeout));
}

}  // namespace
