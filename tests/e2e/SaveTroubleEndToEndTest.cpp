// Saves that meet trouble, through the real window: files that cannot be
// written are named in one message and keep the icons unsaved, and a source
// reached through another name for the library folder is read before the
// save replaces it.

#include "ProductProcess.h"
#include "support/IconBuilder.h"

namespace {

constexpr DWORD kSaveTimeout = 60000;

std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

Bytes IcoOfSeed(uint8_t seed) { return BuildIcoFile({MakeDibBlock(32, 32, 8, 0, seed)}); }

Bytes SavedBlockOf(const std::string& path) {
  const std::vector<Bytes> blocks = IcoBlocks(ReadBytes(path));
  return blocks.size() == 1 ? blocks[0] : Bytes();
}

// A drive letter for a folder, as `subst` makes one (under Wine a symbolic
// link beside the prefix's drives); removed again at the end.
class SubstDrive {
 public:
  explicit SubstDrive(const std::string& target) {
    for (char letter = 'Q'; letter <= 'Y' && m_drive.empty(); ++letter) {
      const std::string drive = std::string(1, letter) + ":";
      if (GetDriveTypeA((drive + "\\").c_str()) != DRIVE_NO_ROOT_DIR) continue;
      if (DefineDosDeviceA(0, drive.c_str(), target.c_str())) m_drive = drive;
    }
  }
  ~SubstDrive() {
    if (!m_drive.empty()) DefineDosDeviceA(DDD_REMOVE_DEFINITION, m_drive.c_str(), nullptr);
  }
  SubstDrive(const SubstDrive&) = delete;
  SubstDrive& operator=(const SubstDrive&) = delete;
  const std::string& Drive() const { return m_drive; }

 private:
  std::string m_drive;
};

class SaveTroubleEndToEndTest : public ProductTest {
 protected:
  void SetUp() override {
    ProductTest::SetUp();
    const char* const settings[][3] = {{"Setting", "RestorePath", library.Path().c_str()},
                                       {"Setting", "SelectAll", "1"},
                                       {"Setting", "Confirm", "1"},
                                       {"Setting", "DefaultType", "ico"},
                                       {"Setting", "TitlePrefix", "Untitled"},
                                       {"Filter", "Ico", "1"}};
    for (const auto& s : settings) WritePrivateProfileStringA(s[0], s[1], s[2], folder.File("Config.ini").c_str());
  }

  void StartWith(const std::vector<std::string>& paths) {
    std::string arguments;
    for (const std::string& path : paths) arguments += Quoted(path) + " ";
    Start(arguments);
    ASSERT_TRUE(WaitUntil([&] { return ItemCount() == static_cast<int>(paths.size()) && MainWindowFree(); },
                          kDialogTimeout))
        << ItemCount() << " items";
  }

  TempFolder library;
};

TEST_F(SaveTroubleEndToEndTest, FoldersInTheWayAreNamedAndExitStillAsks) {
  ASSERT_TRUE(WriteBytes(folder.File("a.ico"), IcoOfSeed(1)) && WriteBytes(folder.File("b.ico"), IcoOfSeed(2)));
  ASSERT_TRUE(CreateDirectoryA(library.File("Untitled_0000.ico").c_str(), nullptr) &&
              CreateDirectoryA(library.File("Untitled_0001.ico").c_str(), nullptr));
  StartWith({folder.File("a.ico"), folder.File("b.ico")});

  ClickButton(window, IDC_SAVE);
  HWND box = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (box = WaitForDialog(0, 100)) && BoxText(box).find("not saved") != std::string::npos; },
                        kSaveTimeout))
      << "no message about the files not written";
  const std::string text = BoxText(box);
  EXPECT_EQ(text.rfind("2 of the 2 ticked icons were not saved:", 0), 0u) << text;
  for (const auto& [name, source] : {std::pair<std::string, std::string>{"Untitled_0000.ico", "a.ico"},
                                     std::pair<std::string, std::string>{"Untitled_0001.ico", "b.ico"}})
    EXPECT_NE(text.find(name + " (from " + folder.File(source) + "): a folder of that name is in the way"),
              std::string::npos)
        << text;
  ClickButton(box, IDOK);
  ASSERT_TRUE(WaitUntil([&] { return MainWindowFree(); }, kDialogTimeout));
  EXPECT_EQ(NamesIn(library.Path()), (std::vector<std::string>{"Untitled_0000.ico\\", "Untitled_0001.ico\\"}));

  // Still unsaved; once Yes confirms the exit, nothing asks again.
  PostMessageA(window, WM_COMMAND, ID_EXIT, 0);
  const HWND question = WaitForDialog(IDNO);
  ASSERT_NE(question, nullptr) << "Exit did not ask about the unsaved icons";
  EXPECT_EQ(BoxText(question), "You haven't saved the icons.\nAre you sure to exit?");
  ClickButton(question, IDYES);
  EXPECT_TRUE(product.WaitForExit(kDialogTimeout));
}

TEST_F(SaveTroubleEndToEndTest, ASourceReachedThroughAnotherDriveIsReadBeforeItsNameIsWritten) {
  ASSERT_TRUE(WriteBytes(folder.File("first.ico"), IcoOfSeed(7)));
  ASSERT_TRUE(WriteBytes(library.File("Untitled_0000.ico"), IcoOfSeed(3)));
  const SubstDrive link(library.Path());
  ASSERT_FALSE(link.Drive().empty()) << "no drive could be made for the library folder";
  const std::string linked = link.Drive() + "\\Untitled_0000.ico";
  ASSERT_EQ(ReadBytes(linked), IcoOfSeed(3));
  StartWith({folder.File("first.ico"), linked});

  ClickButton(window, IDC_SAVE);
  ASSERT_TRUE(WaitUntil([&] { return NamesIn(library.Path()).size() == 2 && MainWindowFree(); }, kSaveTimeout))
      << NamesIn(library.Path()).size() << " files";
  EXPECT_EQ(SavedBlockOf(library.File("Untitled_0000.ico")), WithSizeImageCleared(MakeDibBlock(32, 32, 8, 0, 7)));
  EXPECT_EQ(SavedBlockOf(library.File("Untitled_0001.ico")), WithSizeImageCleared(MakeDibBlock(32, 32, 8, 0, 3)));
}

}  // namespace
