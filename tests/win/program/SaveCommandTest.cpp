// Save and Save As as commands: what they check before writing, where they
// write, the messages they show, the probe, the saved flag and the folder
// opened afterwards.

#include <windows.h>
#include <gtest/gtest.h>

#include "ProgramTestSupport.h"
#include "save/SaveCommand.h"

namespace {

const char kCannotSave[] = "Cannot save icons to the selected directory!Please check settings!";

// A save command whose save-file dialog is replaced by a fixed answer; an
// empty path stands for Cancel.
class PickedPathSaveCommand : public CSaveCommand {
 public:
  using CSaveCommand::CSaveCommand;
  std::string picked;
  int pickCalls = 0;

 protected:
  bool PickSaveAsPath(CString& path, CString& title, CString& ext) override {
    ++pickCalls;
    if (picked.empty()) return false;
    path = picked.c_str();
    const CString name = path.Mid(path.ReverseFind('\\') + 1);
    const int dot = name.ReverseFind('.');
    title = dot >= 0 ? name.Left(dot) : name;
    ext = dot >= 0 ? name.Mid(dot + 1) : CString();
    return true;
  }
};

class SaveCommandTest : public SaveTest {
 protected:
  void SetUp() override {
    SaveTest::SetUp();
    ASSERT_TRUE(shell.Installed());
  }
  void Save() { command.SaveToLibrary(); }
  void SaveAs(const std::string& picked) {
    command.picked = picked;
    command.SaveAs();
  }
  // Runs the command while a watcher answers the one box it should show.
  SeenDialog ExpectBox(const std::string& caption, const std::function<void()>& run) {
    DialogWatcher watcher(caption, Press(IDOK));
    run();
    EXPECT_TRUE(watcher.Finish()) << "no box captioned " << caption;
    return watcher.Seen();
  }
  // Cancel in the progress dialog when the worker asks about the second icon.
  void CancelAtSecondIcon() {
    host.list.onQuery = [](int item) {
      HWND open = OpenSaveProgressDialog();
      if (item == 1 && open) Press(IDCANCEL)(open);
    };
  }

  ShellExecuteRecorder shell;
  PickedPathSaveCommand command{&host, &host.list, Icons(), TheApp().m_config};
  TempFolder other;
};

TEST_F(SaveCommandTest, EmptyListDoesNothing) {
  Icons().m_saved = FALSE;
  DialogWatcher anyBox("", Press(IDOK));
  Save();
  command.SaveAs();
  EXPECT_FALSE(anyBox.Finish());
  EXPECT_EQ(command.pickCalls, 0);
  EXPECT_FALSE(Icons().m_saved);
}

TEST_F(SaveCommandTest, NothingTickedSaysSoBeforeAnyFileDialog) {
  AddIcos({1, 2});
  TickOnly({});
  Icons().m_saved = FALSE;
  for (const auto& run : {std::function<void()>([this] { Save(); }), std::function<void()>([this] { SaveAs(other.File("star.ico")); })}) {
    const SeenDialog seen = ExpectBox("Vantrel", run);
    EXPECT_EQ(seen.text, "No Selected Icon!");
    EXPECT_EQ(seen.owner, host.m_hWnd);
  }
  EXPECT_EQ(command.pickCalls, 0);
  EXPECT_TRUE(NamesIn(library.Path()).empty());
  EXPECT_FALSE(Icons().m_saved);
}

TEST_F(SaveCommandTest, SavesTickedIconsIntoTheLibraryAndMarksThemSaved) {
  AddIcos({1, 2, 3});
  TickOnly({0, 2});
  Icons().m_saved = FALSE;
  Save();
  EXPECT_EQ(NamesIn(library.Path()), (std::vector<std::string>{"Untitled_0000.ico", "Untitled_0001.ico"}));
  EXPECT_EQ(FirstBlockIn("Untitled_0001.ico"), SavedSeed(3));
  EXPECT_TRUE(Icons().m_saved);
  EXPECT_TRUE(shell.calls.empty());
}

// BMP in any case is taken as bmp; png, empty and anything else as ico.
TEST_F(SaveCommandTest, PrefixAndTypeComeFromTheSettings) {
  AddIcos({1});
  const std::pair<const char*, const char*> cases[] = {{"BMP", "P0_0000.bmp"}, {"png", "P1_0000.ico"}, {"", "P2_0000.ico"}};
  int round = 0;
  for (const auto& [type, name] : cases) {
    WriteSetting("Setting", "TitlePrefix", ("P" + std::to_string(round++)).c_str());
    WriteSetting("Setting", "DefaultType", type);
    Save();
    EXPECT_NE(GetFileAttributesA(library.File(name).c_str()), INVALID_FILE_ATTRIBUTES) << name;
  }
  EXPECT_EQ(NamesIn(library.Path()).size(), 3u);
}

TEST_F(SaveCommandTest, LibraryWithOrWithoutTrailingBackslashGivesTheSameNames) {
  AddIcos({1, 2});
  WriteSetting("Setting", "RestorePath", (library.Path() + "\\").c_str());
  Save();
  WriteSetting("Setting", "RestorePath", library.Path().c_str());
  WriteSetting("Setting", "TitlePrefix", "Again");
  Save();
  EXPECT_EQ(NamesIn(library.Path()), (std::vector<std::string>{"Again_0000.ico", "Again_0001.ico",
                                                               "Untitled_0000.ico", "Untitled_0001.ico"}));
}

TEST_F(SaveCommandTest, MissingLibraryFolderIsCreatedButAMissingParentGivesTheError) {
  AddIcos({1});
  WriteSetting("Setting", "RestorePath", library.File("fresh").c_str());
  Save();
  EXPECT_EQ(NamesIn(library.File("fresh")), (std::vector<std::string>{"Untitled_0000.ico"}));
  Icons().m_saved = FALSE;
  WriteSetting("Setting", "OpenDir", "1");
  WriteSetting("Setting", "RestorePath", library.File("missing\\deeper").c_str());
  const SeenDialog seen = ExpectBox("Error", [this] { Save(); });
  EXPECT_EQ(seen.text, kCannotSave);
  EXPECT_EQ(seen.owner, host.m_hWnd);
  EXPECT_EQ(NamesIn(library.Path()), (std::vector<std::string>{"fresh\\"}));
  EXPECT_FALSE(Icons().m_saved);
  EXPECT_TRUE(shell.calls.empty());
}

// The writability probe must spare the user's own files named like it, also
// a read-only one.
TEST_F(SaveCommandTest, ProbeLeavesTheUsersFilesNamedLikeItUntouched) {
  AddIcos({1});
  const std::vector<uint8_t> mine = {'m', 'i', 'n', 'e'};
  WriteBytes(library.File("1.ico"), mine);
  WriteBytes(library.File("1.bmp"), mine);
  SetFileAttributesA(library.File("1.bmp").c_str(), FILE_ATTRIBUTE_READONLY);
  Save();
  WriteSetting("Setting", "DefaultType", "bmp");
  Save();
  EXPECT_EQ(ReadBytes(library.File("1.ico")), mine);
  EXPECT_EQ(ReadBytes(library.File("1.bmp")), mine);
  EXPECT_EQ(NamesIn(library.Path()),
            (std::vector<std::string>{"1.bmp", "1.ico", "Untitled_0000.bmp", "Untitled_0000.ico"}));
}

TEST_F(SaveCommandTest, OpenDirOpensTheLibraryOnceAfterTheSaveEvenWhenCancelled) {
  AddIcos({1, 2, 3});
  Icons().m_saved = FALSE;
  WriteSetting("Setting", "OpenDir", "1");
  CancelAtSecondIcon();
  Save();
  EXPECT_TRUE(Icons().m_saved);
  EXPECT_LT(NamesIn(library.Path()).size(), 3u);
  ASSERT_EQ(shell.calls.size(), 1u);
  EXPECT_EQ(shell.calls[0].owner, nullptr);
  EXPECT_EQ(shell.calls[0].verb, "open");
  EXPECT_EQ(shell.calls[0].file, library.Path());
  EXPECT_FALSE(shell.calls[0].hasParameters || shell.calls[0].hasDirectory);
  EXPECT_EQ(shell.calls[0].show, SW_SHOWNORMAL);
}

TEST_F(SaveCommandTest, SaveAsWritesNumberedFilesUnderThePickedNameAndSparesThePickedFile) {
  AddIcos({1, 2});
  Icons().m_saved = FALSE;
  const std::vector<uint8_t> mine = {'k', 'e', 'e', 'p'};
  WriteBytes(other.File("star.ico"), mine);
  SaveAs(other.File("star.ico"));
  EXPECT_EQ(NamesIn(other.Path()), (std::vector<std::string>{"star.ico", "star_0000.ico", "star_0001.ico"}));
  EXPECT_EQ(IcoBlocks(ReadBytes(other.File("star_0001.ico")))[0], SavedSeed(2));
  EXPECT_EQ(ReadBytes(other.File("star.ico")), mine);
  EXPECT_TRUE(NamesIn(library.Path()).empty());
  EXPECT_TRUE(Icons().m_saved);
}

TEST_F(SaveCommandTest, SaveAsTakesTypeFromTheExtensionInAnyCaseAndKeepsDotsOfTheTitle) {
  AddIcos({1});
  SaveAs(other.File("STAR.ICO"));
  SaveAs(other.File("my.icon.ico"));
  SaveAs(other.File("one.BMP"));
  EXPECT_EQ(NamesIn(other.Path()), (std::vector<std::string>{"STAR_0000.ico", "my.icon_0000.ico", "one_0000.bmp"}));
  EXPECT_EQ(ReadBytes(other.File("one_0000.bmp")).at(0), 'B');
}

TEST_F(SaveCommandTest, SaveAsRefusesOtherExtensionsAFolderThatIsGoneAndCancelBeforeWriting) {
  AddIcos({1});
  Icons().m_saved = FALSE;
  WriteSetting("Setting", "OpenDir", "1");
  for (const char* name : {"star.png", "star.icon", "star"}) {
    const SeenDialog seen = ExpectBox("Error", [&] { SaveAs(other.File(name)); });
    EXPECT_EQ(seen.text, "Icons can be saved only as .ico or .bmp files.") << name;
  }
  EXPECT_EQ(ExpectBox("Error", [this] { SaveAs(other.File("gone\\star.ico")); }).text, kCannotSave);
  SaveAs("");
  EXPECT_EQ(command.pickCalls, 5);
  EXPECT_TRUE(NamesIn(other.Path()).empty());
  EXPECT_FALSE(Icons().m_saved);
  EXPECT_TRUE(shell.calls.empty());
}

TEST_F(SaveCommandTest, SaveAsWithOpenDirOpensThePickedFolderOnlyEvenAfterCancel) {
  AddIcos({1, 2, 3});
  WriteSetting("Setting", "OpenDir", "1");
  CancelAtSecondIcon();
  SaveAs(other.File("star.ico"));
  ASSERT_EQ(shell.calls.size(), 1u);
  EXPECT_EQ(shell.calls[0].file, other.Path());
}

TEST_F(SaveCommandTest, SaveAsThroughTheSystemSaveDialog) {
  AddIcos({1});
  CSaveCommand real(&host, &host.list, Icons(), TheApp().m_config);
  const std::string target = other.File("picked.bmp");
  DialogWatcher watcher("", [&](HWND dialog) {
    SetDlgItemTextA(dialog, 0x47c, target.c_str());
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  });
  real.SaveAs();
  ASSERT_TRUE(watcher.Finish());
  EXPECT_EQ(watcher.Seen().owner, host.m_hWnd);
  EXPECT_EQ(NamesIn(other.Path()), (std::vector<std::string>{"picked_0000.bmp"}));
}

}  // namespace
