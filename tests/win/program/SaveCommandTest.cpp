// Save and Save As as commands: what they check before writing, where they
// write, the messages they show, the probe, the saved flag and the folder
// opened afterwards.

#include <windows.h>

#include <gtest/gtest.h>

#include "CommandsTestSupport.h"
#include "SaveTestSupport.h"
#include "support/IconBuilder.h"

namespace {

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
  // Runs the command while a watcher answers the one message box it should show.
  SeenDialog SaveExpectingBox(const std::string& caption, const std::function<void()>& run) {
    DialogWatcher watcher(caption, Press(IDOK));
    run();
    EXPECT_TRUE(watcher.Finish()) << "no box captioned " << caption;
    return watcher.Seen();
  }

  ShellExecuteRecorder shell;
  PickedPathSaveCommand command{&host, &host.list, Icons(), TheApp().m_config};
  TempFolder other;
};

// --- Save --------------------------------------------------------------------

TEST_F(SaveCommandTest, EmptyListDoesNothing) {
  Icons().m_saved = FALSE;
  DialogWatcher anyBox("", Press(IDOK));

  Save();
  command.SaveAs();

  EXPECT_FALSE(anyBox.Finish() && anyBox.Seen().hwnd);
  EXPECT_EQ(command.pickCalls, 0);
  EXPECT_FALSE(Icons().m_saved);
}

TEST_F(SaveCommandTest, NothingTickedSaysNoSelectedIcon) {
  AddIcos({1, 2});
  TickOnly({});
  Icons().m_saved = FALSE;

  const SeenDialog seen = SaveExpectingBox("Vantrel", [this] { Save(); });

  EXPECT_EQ(seen.text, "No Selected Icon!");
  EXPECT_EQ(seen.owner, host.m_hWnd);
  EXPECT_TRUE(NamesIn(library.Path()).empty());
  EXPECT_FALSE(Icons().m_saved);
}

TEST_F(SaveCommandTest, SavesTickedIconsIntoTheLibraryAndMarksThemSaved) {
  AddIcos({1, 2, 3});
  TickOnly({0, 2});
  Icons().m_saved = FALSE;

  Save();

  EXPECT_EQ(NamesIn(library.Path()), (std::vector<std::string>{"Untitled_0000.ico", "Untitled_0001.ico"}));
  EXPECT_EQ(IcoFileBlocks(library.File("Untitled_0001.ico"))[0], WithSizeImageCleared(SeedBlock(3)));
  EXPECT_TRUE(Icons().m_saved);
  EXPECT_TRUE(shell.calls.empty());
}

TEST_F(SaveCommandTest, PrefixAndTypeComeFromTheSettings) {
  AddIcos({1});
  WriteSetting("Setting", "TitlePrefix", "Star");
  WriteSetting("Setting", "DefaultType", "BMP");

  Save();

  EXPECT_EQ(NamesIn(library.Path()), (std::vector<std::string>{"Star_0000.bmp"}));
}

TEST_F(SaveCommandTest, DefaultTypePngOrEmptySavesIco) {
  AddIcos({1});
  for (const char* type : {"png", ""}) {
    WriteSetting("Setting", "DefaultType", type);
    Save();
    EXPECT_EQ(NamesIn(library.Path()), (std::vector<std::string>{"Untitled_0000.ico"})) << '"' << type << '"';
  }
}

TEST_F(SaveCommandTest, LibraryWithOrWithoutTrailingBackslashGivesTheSameNames) {
  AddIcos({1, 2});
  WriteSetting("Setting", "RestorePath", (library.Path() + "\\").c_str());
  Save();
  const std::vector<std::string> withBackslash = NamesIn(library.Path());
  WriteSetting("Setting", "RestorePath", library.Path().c_str());
  WriteSetting("Setting", "TitlePrefix", "Again");
  Save();

  EXPECT_EQ(withBackslash, (std::vector<std::string>{"Untitled_0000.ico", "Untitled_0001.ico"}));
  EXPECT_EQ(NamesIn(library.Path()), (std::vector<std::string>{"Again_0000.ico", "Again_0001.ico",
                                                               "Untitled_0000.ico", "Untitled_0001.ico"}));
}

TEST_F(SaveCommandTest, MissingLibraryFolderIsCreated) {
  AddIcos({1});
  const std::string fresh = library.File("fresh");
  WriteSetting("Setting", "RestorePath", fresh.c_str());

  Save();

  EXPECT_EQ(NamesIn(fresh), (std::vector<std::string>{"Untitled_0000.ico"}));
}

TEST_F(SaveCommandTest, MissingParentFolderGivesTheErrorAndWritesNothing) {
  AddIcos({1});
  Icons().m_saved = FALSE;
  WriteSetting("Setting", "OpenDir", "1");
  WriteSetting("Setting", "RestorePath", library.File("missing\\deeper").c_str());

  const SeenDialog seen = SaveExpectingBox("Error", [this] { Save(); });

  EXPECT_EQ(seen.text, "Cannot save icons to the selected directory!Please check settings!");
  EXPECT_EQ(seen.owner, host.m_hWnd);
  EXPECT_TRUE(NamesIn(library.Path()).empty());
  EXPECT_FALSE(Icons().m_saved);
  EXPECT_TRUE(shell.calls.empty());
}

TEST_F(SaveCommandTest, ProbeLeavesTheUsersFilesNamedLikeItUntouched) {
  AddIcos({1});
  const std::vector<uint8_t> mine = {'m', 'i', 'n', 'e'};
  WriteBytes(library.File("1.ico"), mine);
  WriteBytes(library.File("1.bmp"), mine);

  Save();
  WriteSetting("Setting", "DefaultType", "bmp");
  Save();

  EXPECT_EQ(ReadBytes(library.File("1.ico")), mine);
  EXPECT_EQ(ReadBytes(library.File("1.bmp")), mine);
  EXPECT_EQ(NamesIn(library.Path()),
            (std::vector<std::string>{"1.bmp", "1.ico", "Untitled_0000.bmp", "Untitled_0000.ico"}));
}

TEST_F(SaveCommandTest, ReadOnlyFileNamedLikeTheProbeDoesNotStopTheSave) {
  AddIcos({1});
  WriteBytes(library.File("1.ico"), {'x'});
  SetFileAttributesA(library.File("1.ico").c_str(), FILE_ATTRIBUTE_READONLY);

  Save();

  EXPECT_EQ(NamesIn(library.Path()), (std::vector<std::string>{"1.ico", "Untitled_0000.ico"}));
  EXPECT_EQ(ReadBytes(library.File("1.ico")), std::vector<uint8_t>{'x'});
}

TEST_F(SaveCommandTest, OpenDirOpensTheLibraryOnceAfterTheSave) {
  AddIcos({1});
  WriteSetting("Setting", "OpenDir", "1");

  Save();

  ASSERT_EQ(shell.calls.size(), 1u);
  EXPECT_EQ(shell.calls[0].owner, nullptr);
  EXPECT_EQ(shell.calls[0].verb, "open");
  EXPECT_EQ(shell.calls[0].file, library.Path());
  EXPECT_FALSE(shell.calls[0].hasParameters);
  EXPECT_FALSE(shell.calls[0].hasDirectory);
  EXPECT_EQ(shell.calls[0].show, SW_SHOWNORMAL);
}

TEST_F(SaveCommandTest, CancelledSaveStillMarksSavedAndOpensTheLibraryOnce) {
  AddIcos({1, 2, 3});
  Icons().m_saved = FALSE;
  WriteSetting("Setting", "OpenDir", "1");
  host.list.onQuery = [](int item) {
    HWND open = OpenSaveProgressDialog();
    if (item == 1 && open) PostCancelClick(open);
  };

  Save();

  EXPECT_TRUE(Icons().m_saved);
  ASSERT_EQ(shell.calls.size(), 1u);
  EXPECT_EQ(shell.calls[0].file, library.Path());
  EXPECT_LT(NamesIn(library.Path()).size(), 4u);
}

// --- Save As -----------------------------------------------------------------

TEST_F(SaveCommandTest, SaveAsNothingTickedAsksBeforeTheFileDialog) {
  AddIcos({1});
  TickOnly({});

  const SeenDialog seen = SaveExpectingBox("Vantrel", [this] { SaveAs(other.File("star.ico")); });

  EXPECT_EQ(seen.text, "No Selected Icon!");
  EXPECT_EQ(command.pickCalls, 0);
}

TEST_F(SaveCommandTest, SaveAsWritesNumberedFilesUnderThePickedName) {
  AddIcos({1, 2});
  Icons().m_saved = FALSE;

  SaveAs(other.File("star.ico"));

  EXPECT_EQ(NamesIn(other.Path()), (std::vector<std::string>{"star_0000.ico", "star_0001.ico"}));
  EXPECT_EQ(IcoFileBlocks(other.File("star_0001.ico"))[0], WithSizeImageCleared(SeedBlock(2)));
  EXPECT_TRUE(NamesIn(library.Path()).empty());
  EXPECT_TRUE(Icons().m_saved);
}

TEST_F(SaveCommandTest, SaveAsTakesTypeFromTheExtensionInAnyCaseAndKeepsDotsOfTheTitle) {
  AddIcos({1});
  SaveAs(other.File("STAR.ICO"));
  SaveAs(other.File("my.icon.ico"));
  SaveAs(other.File("one.BMP"));

  EXPECT_EQ(NamesIn(other.Path()),
            (std::vector<std::string>{"STAR_0000.ico", "my.icon_0000.ico", "one_0000.bmp"}));
  const std::vector<uint8_t> bitmap = ReadBytes(other.File("one_0000.bmp"));
  ASSERT_GE(bitmap.size(), 2u);
  EXPECT_EQ(bitmap[0], 'B');
}

TEST_F(SaveCommandTest, SaveAsLeavesAnExistingPickedFileUntouched) {
  AddIcos({1});
  const std::vector<uint8_t> mine = {'k', 'e', 'e', 'p'};
  WriteBytes(other.File("star.ico"), mine);

  SaveAs(other.File("star.ico"));

  EXPECT_EQ(ReadBytes(other.File("star.ico")), mine);
  EXPECT_EQ(NamesIn(other.Path()), (std::vector<std::string>{"star.ico", "star_0000.ico"}));
}

TEST_F(SaveCommandTest, SaveAsRefusesOtherExtensionsBeforeWritingAnything) {
  AddIcos({1});
  Icons().m_saved = FALSE;
  WriteSetting("Setting", "OpenDir", "1");

  for (const char* name : {"star.png", "star.icon", "star"}) {
    const SeenDialog seen = SaveExpectingBox("Error", [&] { SaveAs(other.File(name)); });
    EXPECT_EQ(seen.text, "Icons can be saved only as .ico or .bmp files.") << name;
  }

  EXPECT_TRUE(NamesIn(other.Path()).empty());
  EXPECT_FALSE(Icons().m_saved);
  EXPECT_TRUE(shell.calls.empty());
}

TEST_F(SaveCommandTest, SaveAsCancelledInTheFileDialogChangesNothing) {
  AddIcos({1});
  Icons().m_saved = FALSE;

  SaveAs("");

  EXPECT_EQ(command.pickCalls, 1);
  EXPECT_FALSE(Icons().m_saved);
  EXPECT_TRUE(NamesIn(other.Path()).empty());
}

TEST_F(SaveCommandTest, SaveAsIntoAFolderThatIsGoneGivesTheError) {
  AddIcos({1});

  const SeenDialog seen = SaveExpectingBox("Error", [this] { SaveAs(other.File("gone\\star.ico")); });

  EXPECT_EQ(seen.text, "Cannot save icons to the selected directory!Please check settings!");
  EXPECT_TRUE(NamesIn(other.Path()).empty());
}

TEST_F(SaveCommandTest, SaveAsWithOpenDirOpensThePickedFolderOnlyEvenAfterCancel) {
  AddIcos({1, 2, 3});
  WriteSetting("Setting", "OpenDir", "1");
  host.list.onQuery = [](int item) {
    HWND open = OpenSaveProgressDialog();
    if (item == 1 && open) PostCancelClick(open);
  };

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
