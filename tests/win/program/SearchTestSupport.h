#pragma once
// Shared pieces of the folder-search tests: a list view that reports each
// icon as it is inserted, the search dialog with hooks at its moments, and
// builders of folder trees. A search that never ends is caught by the test
// program's own watchdog.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "ProgramTestSupport.h"
#include "collection/SearchProgressDlg.h"

// Named apart: other suites of this program have helpers of their own.
namespace searchtest {

// A list view that calls onInsert (on the user-interface thread, while the
// worker waits for the insertion) before each item is inserted.
class InsertWatchingListCtrl : public CListCtrl {
 public:
  std::function<void()> onInsert;

 protected:
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

// A hidden window with the list view and the two image lists, as the main
// window makes them, bound to the application's collection.
class SearchListHost : public CWnd {
 public:
  SearchListHost();
  void Bind(CIconCollection& icons);

  InsertWatchingListCtrl list;
  CImageList large;
  CImageList small;
};

// The search dialog with hooks and the texts of its labels.
class WatchedSearchDlg : public CSearchProgressDlg {
 public:
  // Right after the dialog's own initialisation (the worker runs by then).
  std::function<void(WatchedSearchDlg&)> onStart;
  // When the completion message arrives; returning false keeps it from the
  // dialog's handler.
  std::function<bool(WatchedSearchDlg&)> onComplete;
  // The labels when the completion message arrived ("" when it never did).
  std::string fileLabelAtCompletion;
  std::string iconLabelAtCompletion;
  int completionMessages = 0;

  std::string FileLabel() const { return TextOf(m_fileCountLabel); }
  std::string IconLabel() const { return TextOf(m_iconCount); }
  std::string CurrentFile() const { return TextOf(m_currentFile); }
  // Each text the worker puts in the current-file box, as it is put there.
  std::function<void(const std::string&)> onCurrentFile;
  // As a click on Cancel arrives: posted, handled by the modal loop.
  void PostCancel() const;
  // As Enter in the current-file box arrives.
  void PostEnter() const;
  // Cancel handled right here, from the caller's own message.
  void CancelNow() { OnCancel(); }

 protected:
  BOOL OnInitDialog() override;
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

 private:
  static std::string TextOf(const CWnd& control);
};

// One entry of a folder as the system enumerates it.
struct FolderEntry {
  std::string name;
  bool isFolder;
};
// The entries of a folder, "." and ".." left out, in the system's order.
std::vector<FolderEntry> ListFolder(const std::string& folder);

// Runs a program of the system under Wine (a Unix command line such as
// "/bin/ln -s a b") and waits until `until` holds, at most five seconds.
bool RunUnixCommand(const std::string& commandLine, const std::function<bool()>& until);

// A Unix symbolic link `link` -> `target`, made on construction and removed
// again on destruction (before the folder holding it is removed: the
// folder's own removal would follow it).
class UnixSymlink {
 public:
  UnixSymlink(const std::string& target, const std::string& linkWindowsPath);
  ~UnixSymlink();
  UnixSymlink(const UnixSymlink&) = delete;
  UnixSymlink& operator=(const UnixSymlink&) = delete;
  bool Made() const { return m_made; }

 private:
  std::string m_link;
  std::string m_windowsPath;
  bool m_made = false;
};

// A folder (and its parents) under `root`.
std::string MakeFolder(const std::string& root, const std::string& relative);
// An .ico file of one solid colour; its path.
std::string WriteIcoAt(const std::string& path, COLORREF colour = RGB(200, 0, 0));
// A module with `groups` icon groups, ids 1, 2, ...; its path.
std::string WriteModuleAt(const std::string& path, int groups);
// A file without icons.
std::string WriteTextAt(const std::string& path);

// A test with the application's settings (every file type switched on), the
// collection bound to a hidden list, and a tree folder to search that holds
// nothing else.
class SearchTest : public AppTest {
 protected:
  void SetUp() override;

  CIconCollection& Icons() { return TheApp().m_icons; }
  std::string Tree(const std::string& relative = "") const {
    return relative.empty() ? tree : tree + "\\" + relative;
  }
  // Runs the dialog on root; the icons found come ticked.
  INT_PTR Search(WatchedSearchDlg& dialog, const std::string& root);
  // The paths of the collection's records, in index order.
  std::vector<std::string> LoadedPaths();
  // Collection, list items and both image lists all hold `count` entries.
  void ExpectCollectionHolds(int count);

  SearchListHost host;
  std::string tree;
};

}  // namespace searchtest
