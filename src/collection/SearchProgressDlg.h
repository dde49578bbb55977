#pragma once
// The folder search: a captionless progress dialog whose worker walks a
// folder tree depth-first and reads the icons of every file, while the dialog
// appends what was found a few times a second, shows the file being searched
// and both counts, and offers Cancel.

#include <windows.h>

#include <set>
#include <tuple>

#include "app/WorkerProgressDlg.h"
#include "collection/FileTypes.h"
#include "collection/IconPictures.h"
#include "collection/SearchHandOver.h"
#include "controls/RoundButton.h"
#include "framework/Edit.h"
#include "framework/Static.h"

// Posted by the worker when it went through the whole tree.
constexpr UINT WM_SEARCH_COMPLETE = WM_USER + 1;

class CSearchProgressDlg : public CWorkerProgressDlg {
 public:
  CSearchProgressDlg();

  CEdit m_currentFile;
  CStatic m_iconCount;
  CStatic m_fileCountLabel;
  CRoundButton m_cancelButton;
  // Set by the caller: whether the icons found come ticked.
  BOOL m_checked = FALSE;
  // Set by the caller: the root of the search.
  char m_folder[MAX_PATH] = {};

  // Files and folders passed over because no ANSI call can reach them; read
  // once the dialog has ended.
  int UnreachableNames() const { return m_unreachableNames; }

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* dx) override;
  bool Work() override;
  void OnWorkerEnded() override;
  void OnTimer(UINT_PTR id) override;

 private:
  using FolderIdentity = std::tuple<DWORD, DWORD, DWORD>;

  // Walks one folder, entering each subfolder as soon as it is met. False
  // when it stopped on Cancel.
  bool SearchFolder(LPCSTR folder);
  // Whether this folder is met for the first time in this search; links that
  // lead back into the tree are entered once only.
  bool FirstVisit(LPCSTR folder);
  // On the user-interface thread: appends what the worker found since last
  // time and shows where it is.
  void ShowProgress();

  // Read from the settings before the worker starts; the worker only reads them.
  TypeSwitches m_switches{};
  PictureSides m_sides{kLargeIconSize, kSmallIconSize};
  SearchHandOver m_found;
  // Folders entered in this search, used by the worker only.
  std::set<FolderIdentity> m_visitedFolders;
  int m_unreachableNames = 0;
};
