// What the search dialog shows while the worker runs: the file being searched,
// the files before it, and the collection's running total of icons.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SearchTestSupport.h"

namespace {

using namespace searchtest;

using SearchCountsTest = SearchTest;

TEST_F(SearchCountsTest, WhileFileNLoadsTheFileLabelShowsNMinusOne) {
  for (const char* name : {"a.ico", "b.ico", "c.ico", "d.ico", "e.ico"}) WriteIcoAt(Tree(name));
  WatchedSearchDlg dialog;
  std::vector<std::string> fileLabels;
  std::vector<std::string> currentFiles;
  host.list.onInsert = [&] {
    fileLabels.push_back(dialog.FileLabel());
    currentFiles.push_back(dialog.CurrentFile());
  };
  EXPECT_EQ(Search(dialog, tree), IDOK);
  EXPECT_EQ(fileLabels, (std::vector<std::string>{"0", "1", "2", "3", "4"}));
  // Each icon is inserted while its own file is the one shown.
  EXPECT_EQ(currentFiles, LoadedPaths());
  EXPECT_EQ(dialog.fileLabelAtCompletion, "4");
}

TEST_F(SearchCountsTest, IconLabelFollowsTheCollectionTotalIncludingEarlierIcons) {
  // Icons added and cleared before the search still count in the total.
  const std::string earlier = WriteModuleAt(folder.File("earlier.exe"), 3);
  Icons().m_filterExe = TRUE;
  Icons().LoadFromFile(earlier.c_str(), TRUE);
  Icons().EmptyWithViews(nullptr);
  const int before = Icons().m_addedCount;
  ASSERT_GE(before, 3);

  WriteModuleAt(Tree("a.exe"), 2);
  WriteIcoAt(Tree("b.ico"));
  WatchedSearchDlg dialog;
  std::vector<std::string> iconLabels;
  host.list.onInsert = [&] { iconLabels.push_back(dialog.IconLabel()); };
  EXPECT_EQ(Search(dialog, tree), IDOK);
  EXPECT_EQ(iconLabels, (std::vector<std::string>{"0", std::to_string(before + 1), std::to_string(before + 2)}));
  EXPECT_EQ(dialog.iconLabelAtCompletion, std::to_string(before + 3));
  ExpectCollectionHolds(3);
}

TEST_F(SearchCountsTest, TheCountLabelIsUnboundWhenTheDialogEnds) {
  WriteIcoAt(Tree("a.ico"));
  WatchedSearchDlg completed;
  CWnd* boundWhileLoading = nullptr;
  host.list.onInsert = [&] { boundWhileLoading = Icons().m_countLabel; };
  EXPECT_EQ(Search(completed, tree), IDOK);
  EXPECT_EQ(boundWhileLoading, &completed.m_iconCount);
  EXPECT_EQ(Icons().m_countLabel, nullptr);

  WatchedSearchDlg cancelled;
  host.list.onInsert = [&] { cancelled.PostCancel(); };
  EXPECT_EQ(Search(cancelled, tree), IDCANCEL);
  EXPECT_EQ(Icons().m_countLabel, nullptr);
}

}  // namespace
