#pragma once
// The folder search: a captionless progress dialog whose worker walks a
// folder tree depth-first and reads the icons of every file, while the dialog
// appends what was found a few times a second, shows the file being searched
// and both counts, and offers Cancel.

#include <windows.h>

#include <atomic>
#include <optional>
#include <set>
#include <tuple>
#include <vector>

#include "base/WorkerProgressDlg.h"
#include "base/ConfigFile.h"
#include "collection/FileTypes.h"
#include "collection/IconCollection.h"
#include "collection/SearchHandOver.h"
#include "controls/RoundButton.h"
#include "framework/Edit.h"
#include "framework/Static.h"

// Posted by the worker when it went through the whole tree.
constexpr UINT WM_SEARCH_COMPLETE = WM_USER + 1;

class CSearchProgressDlg : public CWorkerProgressDlg {
 public:
  // The search appends to `icons` and reads the file filter from `config`.
  CSearchProgressDlg(CIconCollection& icons, const CConfigFile& config);

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

  // Why the search stopped before its end although nobody cancelled it
  // ("memory ran out"); null when it did not.
  const char* EndedEarlyBecause() const { return m_endedEarly; }

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* dx) override;
  bool Work() override;
  void OnWorkerEnded() override;

 private:
  // Volume serial and file index.
  using FolderIdentity = std::tuple<DWORD, DWORD, DWORD>;

  // Walks one folder, entering each subfolder as soon as it is met. False
  // when it stopped on Cancel.
  bool SearchFolder(LPCSTR folder);
  // Whether to enter this folder, noting it in the walk's records if so: met
  // for the first time in this search where its volume has a serial, else
  // none of the folders it lies in (links back into the tree are entered
  // once only, and loops never).
  // The entries of one folder; false when it stopped on Cancel.
  bool SearchEntries(const CString& pattern);
  bool ShouldEnter(LPCSTR folder, std::optional<FolderIdentity>& identity);
  // Appends what the worker found since last time and shows where it is.
  void ShowProgress() override;

  // On either thread: stops the search as Cancel does, for want of memory.
  void StopForWantOfMemory();

  CIconCollection& m_icons;
  const CConfigFile& m_config;
  std::atomic<const char*> m_endedEarly{nullptr};
  // Read from the settings before the worker starts; the worker only reads them.
  TypeSwitches m_switches{};
  SearchHandOver m_found;
  // Folders entered in this search, used by the worker only. A serial of 0
  // is what Wine reports for every other Unix file system, where different
  // folders share an index, so those are only checked against the folders
  // the walk is in.
  std::set<FolderIdentity> m_visitedFolders;
  int m_unreachableNames = 0;
  std::vector<FolderIdentity> m_foldersAbove;
};
