// The folder search under Cancel and while the user-interface thread works
// with the list: what was found stays, and only that thread touches it.

#include <string>

#include "SearchTestSupport.h"

namespace {

using namespace searchtest;

using SearchCancelTest = SearchTest;

TEST_F(SearchCancelTest, CancelInsideALargeModuleStopsThereKeepsWhatWasFoundAndTheNextSearchRuns) {
  const int groups = 1500;
  WriteModuleAt(Tree("big.dll"), groups);
  EXPECT_EQ(Search(tree, {[](SearchDlg& dialog) {
                     if (TheApp().m_icons.GetCount() == 0) return dialog.RunAgainLater();
                     dialog.SendMessage(WM_COMMAND, IDCANCEL, 0);
                   }}),
            IDCANCEL);
  const int kept = Icons().GetCount();
  EXPECT_TRUE(kept > 0 && kept < groups) << kept;
  ExpectCollectionHolds(kept);
  EXPECT_EQ(iconLabel, std::to_string(Icons().m_addedCount));
  EXPECT_EQ(Icons().m_countLabel, nullptr);

  const std::string other = MakeFolder(folder.Path(), "other");
  WriteIcoAt(other + "\\one.ico");
  EXPECT_EQ(Search(other), IDOK);
  ExpectCollectionHolds(kept + 1);
}

// The records may grow while the collection holds fewer than 500 icons.
TEST_F(SearchCancelTest, MemoryRunningOutStopsTheSearchAsCancelDoesKeepingEachListedIconWhole) {
  const int groups = 3000;
  const std::string module = WriteModuleAt(Tree("big.dll"), groups);
  Icons().SetBlockProbe([this](size_t) { return Icons().GetCount() < 500; });
  EXPECT_EQ(Search(tree), IDCANCEL);
  EXPECT_EQ(endedEarly, "memory ran out");
  const int kept = Icons().GetCount();
  EXPECT_GT(kept, 0);
  EXPECT_LT(kept, groups);
  ExpectCollectionHolds(kept);
  // Add File and a drop end the same way, adding nothing half.
  EXPECT_EQ(Icons().LoadFromFile(module.c_str(), TRUE).status, ReadStatus::OutOfMemory);
  ExpectCollectionHolds(kept);
}

TEST_F(SearchCancelTest, NothingOfTheCollectionChangesWhileTheInterfaceThreadIsBusy) {
  for (int i = 0; i < 20; ++i) WriteModuleAt(Tree("m" + std::to_string(i) + ".dll"), 25);
  bool changedUnderfoot = false;
  EXPECT_EQ(Search(tree, {[&](SearchDlg& dialog) {
                     const int records = Icons().GetCount();
                     ::RedrawWindow(host.list.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
                     Sleep(15);
                     changedUnderfoot |= records != Icons().GetCount();
                     dialog.RunAgainLater();
                   }}),
            IDOK);
  EXPECT_FALSE(changedUnderfoot);
  ExpectCollectionHolds(20 * 25);
}

}  // namespace
