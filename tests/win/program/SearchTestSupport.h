#pragma once
// Shared pieces of the folder-search tests: the search dialog run with steps
// from its own modal loop, and the tree it searches.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "ProgramTestSupport.h"
#include "collection/SearchProgressDlg.h"

namespace searchtest {

using SearchDlg = ScriptedDialog<CSearchProgressDlg>;

std::string MakeFolder(const std::string& parent, const std::string& name);

// Every file type switched on, the collection bound to a hidden list, and a
// tree folder to search that holds nothing else.
class SearchTest : public AppTest {
 protected:
  void SetUp() override;
  std::string Tree(const std::string& relative) const { return tree + "\\" + relative; }
  // Searches root (icons ticked), running the steps from the dialog's loop
  // while it searches; the dialog ends as the search ends it.
  INT_PTR Search(const std::string& root, std::vector<std::function<void(SearchDlg&)>> steps = {});
  std::vector<std::string> LoadedPaths();
  // Collection, list items and both image lists all hold `count` entries.
  void ExpectCollectionHolds(int count);

  ListViewHost host;
  std::string tree;
  // The labels as the dialog ended.
  std::string fileLabel;
  std::string iconLabel;
  // Why the search ended early, as it ended; empty when it did not.
  std::string endedEarly;
};

}  // namespace searchtest
