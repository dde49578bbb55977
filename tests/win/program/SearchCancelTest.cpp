// Ending the search dialog: Cancel at several moments of the walk, Enter while
// the worker runs, and a new search after a cancelled one. Every case must end
// (a guard ends the test program otherwise) and keep the icons found.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SearchTestSupport.h"

namespace {

using namespace searchtest;

constexpr int kModules = 20;
constexpr int kGroupsPerModule = 3;
constexpr int kAllIcons = kModules * kGroupsPerModule;

class SearchCancelTest : public SearchTest {
 protected:
  void SetUp() override {
    SearchTest::SetUp();
    for (int i = 0; i < kModules; ++i) WriteModuleAt(Tree("m" + std::to_string(100 + i) + ".dll"), kGroupsPerModule);
  }
  // Posts Cancel when the n-th icon of the search (1-based) is inserted.
  void CancelAtIcon(WatchedSearchDlg& dialog, int n) {
    inserted = 0;
    host.list.onInsert = [this, &dialog, n] {
      if (++inserted == n) dialog.PostCancel();
    };
  }
  int inserted = 0;
};

TEST_F(SearchCancelTest, CancelRightAfterTheStartEndsAndKeepsWhatWasFound) {
  WatchedSearchDlg dialog;
  dialog.onStart = [](WatchedSearchDlg& self) { self.PostCancel(); };
  EXPECT_EQ(Search(dialog, tree), IDCANCEL);
  EXPECT_LT(Icons().GetCount(), kAllIcons);
  ExpectCollectionHolds(Icons().GetCount());
  EXPECT_EQ(Icons().m_countLabel, nullptr);
}

TEST_F(SearchCancelTest, CancelInTheMiddleKeepsEveryIconFoundBeforeIt) {
  WatchedSearchDlg dialog;
  CancelAtIcon(dialog, kGroupsPerModule + 1);
  EXPECT_EQ(Search(dialog, tree), IDCANCEL);
  const int kept = Icons().GetCount();
  EXPECT_GE(kept, kGroupsPerModule + 1);
  EXPECT_LT(kept, kAllIcons);
  ExpectCollectionHolds(kept);
  for (int i = 0; i < kept; ++i) EXPECT_TRUE(host.list.GetCheck(i));
}

TEST_F(SearchCancelTest, CancelDuringTheLastFileKeepsEveryIcon) {
  WatchedSearchDlg dialog;
  CancelAtIcon(dialog, kAllIcons);
  const INT_PTR result = Search(dialog, tree);
  // The walk was at its last entry, so it may report completion instead.
  EXPECT_TRUE(result == IDCANCEL || result == IDOK) << result;
  ExpectCollectionHolds(kAllIcons);
  EXPECT_EQ(Icons().m_countLabel, nullptr);
}

TEST_F(SearchCancelTest, CancelAfterTheWorkerCompletedEndsWithoutWaitingForAStop) {
  WatchedSearchDlg dialog;
  // Cancel is handled just before the completion message: the worker has
  // ended and will never signal a stop.
  dialog.onComplete = [](WatchedSearchDlg& self) {
    self.CancelNow();
    return false;
  };
  EXPECT_EQ(Search(dialog, tree), IDCANCEL);
  ExpectCollectionHolds(kAllIcons);
  EXPECT_EQ(Icons().m_countLabel, nullptr);
}

TEST_F(SearchCancelTest, EnterWhileTheWorkerRunsDoesNotEndTheDialog) {
  WatchedSearchDlg dialog;
  host.list.onInsert = [&] {
    if (++inserted != 2) return;
    dialog.PostEnter();
    dialog.PostMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  };
  EXPECT_EQ(Search(dialog, tree), IDOK);
  EXPECT_EQ(dialog.completionMessages, 1);
  ExpectCollectionHolds(kAllIcons);
}

TEST_F(SearchCancelTest, ASecondSearchAfterACancelledOneRunsNormally) {
  WatchedSearchDlg first;
  CancelAtIcon(first, 2);
  EXPECT_EQ(Search(first, tree), IDCANCEL);
  const int kept = Icons().GetCount();
  ASSERT_LT(kept, kAllIcons);

  host.list.onInsert = nullptr;
  WatchedSearchDlg second;
  EXPECT_EQ(Search(second, tree), IDOK);
  ExpectCollectionHolds(kept + kAllIcons);
  EXPECT_EQ(second.fileLabelAtCompletion, std::to_string(kModules - 1));
  EXPECT_EQ(second.iconLabelAtCompletion, std::to_string(Icons().m_addedCount));
}

TEST_F(SearchCancelTest, CancelWhileALargeModuleLoadsStopsInsideIt) {
  // Walked first: a module whose icons take far longer to load than Cancel may wait.
  WriteModuleAt(Tree("a-big.dll"), 300);
  WatchedSearchDlg dialog;
  CancelAtIcon(dialog, 10);
  EXPECT_EQ(Search(dialog, tree), IDCANCEL);
  const int kept = Icons().GetCount();
  EXPECT_GE(kept, 10);
  EXPECT_LT(kept, 300);
  ExpectCollectionHolds(kept);
  for (int i = 0; i < kept; ++i) EXPECT_STREQ(Icons().GetSource(i)->m_path, Tree("a-big.dll").c_str());
}

}  // namespace
