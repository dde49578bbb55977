#pragma once
// Pieces shared by the save tests: a list view that lets a test act at the
// moment the save worker asks about an item, a fixture with a library folder
// and loaded source files, readers of the files written, and a save dialog
// that records what it showed.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "ProgramTestSupport.h"
#include "framework/ImageList.h"
#include "framework/ListCtrl.h"
#include "save/SaveCommand.h"
#include "save/SaveProgressDlg.h"

// Runs on the list's own thread while the asker (the worker) waits for the
// answer: item is the index whose state is asked, -1 for the item count.
class HookedListCtrl : public CListCtrl {
 public:
  std::function<void(int item)> onQuery;

 protected:
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

// A hidden window with a check-box list view and its image lists, bound to
// the application's collection as the main window binds its own.
class SaveListHost : public CWnd {
 public:
  SaveListHost();
  HookedListCtrl list;
  CImageList large;
  CImageList small;
};

// Presses a dialog's Cancel button by posting its click.
void PostCancelClick(HWND dialog);
// The save progress dialog open on this thread, or null.
HWND OpenSaveProgressDialog();

// A save progress dialog that keeps what its bar and label showed when the
// worker reported the end, and can stand in for a user's Cancel.
class ObservedSaveDlg : public CSaveProgressDlg {
 public:
  int rangeLow = -1;
  int rangeHigh = -1;
  int finalPos = -1;
  std::string finalLabel;
  // Swallows the worker's first completion message and presses Cancel instead,
  // as a click that came in just after the last icon.
  bool cancelOnFinish = false;

 protected:
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

// A save command whose save-file dialog is replaced by a fixed answer; an
// empty path stands for Cancel.
class PickedPathSaveCommand : public CSaveCommand {
 public:
  using CSaveCommand::CSaveCommand;
  std::string picked;
  int pickCalls = 0;

 protected:
  bool PickSaveAsPath(CString& path, CString& title, CString& ext) override;
};

// The image blocks of an .ico file read straight from its directory, or
// nothing when the file is not one.
std::vector<std::vector<uint8_t>> IcoFileBlocks(const std::string& path);
// A block as the .ico writer stores it: biSizeImage 0 when it is a DIB.
std::vector<uint8_t> WithSizeImageCleared(std::vector<uint8_t> block);
// The names of the files in a folder, sorted; folders are listed with a
// trailing backslash.
std::vector<std::string> NamesIn(const std::string& folder);
// Whether the file can be opened with no sharing at all: nobody holds it open.
bool NobodyHoldsOpen(const std::string& path);

class SaveTest : public AppTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  CIconCollection& Icons() { return TheApp().m_icons; }
  // Writes an .ico file of the blocks into the sources folder and loads it.
  std::string AddIco(const std::string& name, const std::vector<std::vector<uint8_t>>& blocks);
  // One .ico file with one distinct 32 by 32 image per seed, each loaded.
  void AddIcos(const std::vector<uint8_t>& seeds);
  void TickOnly(const std::vector<int>& items);
  int ListCount() { return host.list.GetItemCount(); }
  // Runs a save progress dialog over the list as the commands do.
  INT_PTR RunSaveDialog(CSaveProgressDlg& dialog, const std::string& folder, const std::string& type,
                        const std::string& baseName = "Untitled");
  int Ticked();
  // The block of the 32 by 32 image written for a seed by AddIcos.
  static std::vector<uint8_t> SeedBlock(uint8_t seed);

  TempFolder sources;
  TempFolder library;
  SaveListHost host;
};
