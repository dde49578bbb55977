// The folder search's walk through a real tree: its order, which folders it
// enters, skips and enters once only, and which files it counts and loads.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "SearchTestSupport.h"

namespace {

using namespace searchtest;

using SearchWalkTest = SearchTest;

// The files of a folder in the order a depth-first walk meets them.
void WalkInOrder(const std::string& folder, std::vector<std::string>& files) {
  for (const FolderEntry& entry : ListFolder(folder)) {
    const std::string path = folder + "\\" + entry.name;
    if (entry.isFolder) {
      WalkInOrder(path, files);
    } else {
      files.push_back(path);
    }
  }
}

bool WriteWide(const std::wstring& path, const std::vector<uint8_t>& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == bytes.size();
}

TEST_F(SearchWalkTest, SubfolderFilesAreLoadedBeforeLaterFilesOfTheParent) {
  WriteIcoAt(Tree("a.ico"));
  MakeFolder(tree, "m");
  WriteIcoAt(Tree("m\\b.ico"));
  WriteIcoAt(Tree("m\\c.ico"));
  WriteIcoAt(Tree("z.ico"));
  const std::vector<FolderEntry> top = ListFolder(tree);
  const auto sub = std::find_if(top.begin(), top.end(), [](const FolderEntry& e) { return e.isFolder; });
  ASSERT_NE(sub, top.end());
  ASSERT_NE(sub + 1, top.end()) << "the subfolder must be met before a file of its parent";

  std::vector<std::string> expected;
  WalkInOrder(tree, expected);
  WatchedSearchDlg dialog;
  EXPECT_EQ(Search(dialog, tree), IDOK);
  EXPECT_EQ(LoadedPaths(), expected);
  EXPECT_EQ(dialog.m_fileCount, 4);
}

TEST_F(SearchWalkTest, HiddenFolderIsSearched) {
  const std::string hidden = MakeFolder(tree, "secret");
  ASSERT_TRUE(SetFileAttributesA(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_DIRECTORY));
  ASSERT_TRUE(GetFileAttributesA(hidden.c_str()) & FILE_ATTRIBUTE_HIDDEN);
  const std::string inside = WriteIcoAt(Tree("secret\\in.ico"));

  WatchedSearchDlg dialog;
  EXPECT_EQ(Search(dialog, tree), IDOK);
  EXPECT_EQ(LoadedPaths(), std::vector<std::string>{inside});
}

TEST_F(SearchWalkTest, SubfolderThatCannotBeOpenedIsSkippedAndTheWalkGoesOn) {
  const std::string first = WriteIcoAt(Tree("a.ico"));
  MakeFolder(tree, "gone");
  const std::string lost = WriteIcoAt(Tree("gone\\lost.ico"));
  const std::string last = WriteIcoAt(Tree("z.ico"));
  const std::vector<FolderEntry> top = ListFolder(tree);
  ASSERT_EQ(top.size(), 3u);
  ASSERT_EQ(top[0].name, "a.ico");
  ASSERT_EQ(top[1].name, "gone");

  // The folder was listed with its parent but is gone when the walk reaches it.
  host.list.onInsert = [&] {
    DeleteFileA(lost.c_str());
    RemoveDirectoryA(Tree("gone").c_str());
  };
  WatchedSearchDlg dialog;
  EXPECT_EQ(Search(dialog, tree), IDOK);
  EXPECT_EQ(LoadedPaths(), (std::vector<std::string>{first, last}));
  EXPECT_EQ(dialog.m_fileCount, 2);
}

TEST_F(SearchWalkTest, EmptyFolderCompletesAtOnceWithBothCountsZero) {
  WatchedSearchDlg dialog;
  EXPECT_EQ(Search(dialog, tree), IDOK);
  EXPECT_EQ(dialog.completionMessages, 1);
  EXPECT_EQ(dialog.fileLabelAtCompletion, "0");
  EXPECT_EQ(dialog.iconLabelAtCompletion, "0");
  ExpectCollectionHolds(0);
}

TEST_F(SearchWalkTest, RootThatCannotBeReadCompletesAtOnceWithBothCountsZero) {
  WatchedSearchDlg dialog;
  EXPECT_EQ(Search(dialog, Tree("no-such-folder")), IDOK);
  EXPECT_EQ(dialog.fileLabelAtCompletion, "0");
  EXPECT_EQ(dialog.iconLabelAtCompletion, "0");
  ExpectCollectionHolds(0);
}

TEST_F(SearchWalkTest, DriveRootIsSearchedWithoutADoubledBackslash) {
  for (const char* key : {"Exe", "Dll", "Ico", "Icl", "Cpl", "Ocx", "Scr"}) WriteSetting("Filter", key, "0");
  std::vector<std::string> shown;
  WatchedSearchDlg dialog;
  dialog.onCurrentFile = [&](const std::string& path) {
    shown.push_back(path);
    if (shown.size() == 5) dialog.PostCancel();
  };
  EXPECT_EQ(Search(dialog, "C:\\"), IDCANCEL);
  ASSERT_GE(shown.size(), 5u);
  for (const std::string& path : shown) {
    EXPECT_EQ(path.rfind("C:\\", 0), 0u) << path;
    EXPECT_EQ(path.find("\\\\"), std::string::npos) << path;
  }
}

TEST_F(SearchWalkTest, LinksBackIntoTheTreeAreEnteredOnceAndTheWalkEnds) {
  const std::string top = WriteIcoAt(Tree("a.ico"));
  MakeFolder(tree, "sub");
  const std::string inner = WriteIcoAt(Tree("sub\\b.ico"));
  const UnixSymlink toParent("..", Tree("sub\\up"));
  const UnixSymlink toItself(".", Tree("sub\\again"));
  ASSERT_TRUE(toParent.Made() && toItself.Made());
  ASSERT_TRUE(GetFileAttributesA(Tree("sub\\up\\sub\\up\\a.ico").c_str()) != INVALID_FILE_ATTRIBUTES)
      << "the system must see the loop for this test to mean anything";

  WatchedSearchDlg dialog;
  EXPECT_EQ(Search(dialog, tree), IDOK);
  std::vector<std::string> loaded = LoadedPaths();
  std::sort(loaded.begin(), loaded.end());
  EXPECT_EQ(loaded, (std::vector<std::string>{top, inner}));
}

TEST_F(SearchWalkTest, ALinkToAFolderOutsideTheTreeIsFollowed) {
  const std::string outside = MakeFolder(folder.Path(), "elsewhere");
  WriteIcoAt(outside + "\\far.ico");
  const UnixSymlink link(UnixPath(outside), Tree("shortcut"));
  ASSERT_TRUE(link.Made());

  WatchedSearchDlg dialog;
  EXPECT_EQ(Search(dialog, tree), IDOK);
  EXPECT_EQ(LoadedPaths(), std::vector<std::string>{Tree("shortcut\\far.ico")});
}

TEST_F(SearchWalkTest, FilePathTooLongForTheRecordIsCountedButNeverLoaded) {
  // A folder whose pattern still fits, holding one name that fits and one that does not.
  const size_t folderLength = 248;
  ASSERT_LT(tree.size() + 2, folderLength);
  const std::string deep = MakeFolder(tree, std::string(folderLength - tree.size() - 1, 'd'));
  ASSERT_EQ(deep.size(), folderLength);
  const std::string fits = WriteIcoAt(deep + "\\s.ico");
  const std::string tooLong = deep + "\\a-name-past-the-limit.ico";
  ASSERT_GE(tooLong.size(), static_cast<size_t>(MAX_PATH));
  ASSERT_TRUE(WriteWide(L"\\\\?\\" + std::wstring(tooLong.begin(), tooLong.end()), BuildSolidIcoFile({RGB(9, 9, 9)})));

  WatchedSearchDlg dialog;
  EXPECT_EQ(Search(dialog, tree), IDOK);
  EXPECT_EQ(dialog.m_fileCount, 2);
  EXPECT_EQ(LoadedPaths(), std::vector<std::string>{fits});
}

TEST_F(SearchWalkTest, ReadsTheFilterWhenItOpensAndCountsEveryFile) {
  WriteSetting("Filter", "Ico", "0");
  WriteSetting("Filter", "Dll", "0");
  WriteIcoAt(Tree("a.ico"));
  const std::string module = WriteModuleAt(Tree("b.exe"), 2);
  WriteModuleAt(Tree("c.dll"), 3);
  WriteTextAt(Tree("d.txt"));

  WatchedSearchDlg dialog;
  EXPECT_EQ(Search(dialog, tree), IDOK);
  EXPECT_EQ(dialog.m_fileCount, 4);
  EXPECT_EQ(LoadedPaths(), (std::vector<std::string>{module, module}));
  EXPECT_FALSE(Icons().m_filterIco);
  EXPECT_TRUE(Icons().m_filterExe);
}

}  // namespace
