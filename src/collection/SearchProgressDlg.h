#pragma once
// The folder search: a captionless progress dialog whose worker thread walks a
// folder tree depth-first and offers every file to the loader, while the dialog
// shows the file being searched and both counts, and offers Cancel.
//
// The worker reaches the dialog's labels and the main window's list only
// through messages sent to the user-interface thread, so every wait of that
// thread for the worker keeps serving sent messages. The dialog never ends
// while the worker can still touch it.

#include <windows.h>

#include <atomic>
#include <memory>
#include <set>
#include <tuple>

#include "controls/RoundButton.h"
#include "framework/Dialog.h"
#include "framework/Edit.h"
#include "framework/Gdi.h"
#include "framework/Static.h"
#include "framework/Thread.h"

// Posted by the worker when it went through the whole tree.
constexpr UINT WM_SEARCH_COMPLETE = WM_USER + 1;

struct HandleCloser {
  void operator()(HANDLE handle) const {
    if (handle) ::CloseHandle(handle);
  }
};
using OwnedHandle = std::unique_ptr<void, HandleCloser>;

class CSearchProgressDlg;

// What the dialog hands to its worker; the worker frees it before reporting back.
struct SearchJob {
  CSearchProgressDlg* dialog;
  char folder[MAX_PATH];
};

// The worker's routine: 1 when the walk completed, 0 when it stopped on Cancel.
UINT SearchWorker(LPVOID job);

class CSearchProgressDlg : public CDialog {
 public:
  CSearchProgressDlg();
  ~CSearchProgressDlg() override;

  // Walks one folder, entering each subfolder as soon as it is met. 1 when it
  // went through the folder (or could not open it), 0 when it stopped on Cancel.
  BOOL SearchFolder(LPCSTR folder);

  CEdit m_currentFile;
  CStatic m_iconCount;
  CStatic m_fileCountLabel;
  CRoundButton m_cancelButton;
  // Files handed on so far, long paths included; the label shows it before each file is added.
  int m_fileCount = 0;
  // Set by the caller: whether the icons found come ticked.
  BOOL m_checked = FALSE;
  // Good only for a null test once the worker runs: it deletes itself at the end.
  CWinThread* m_worker = nullptr;
  CString m_countText;
  // Set by the caller: the root of the search.
  char m_folder[MAX_PATH] = {};
  BOOL m_filterExe = FALSE;
  BOOL m_filterDll = FALSE;
  BOOL m_filterIco = FALSE;
  BOOL m_filterIcl = FALSE;
  BOOL m_filterCpl = FALSE;
  BOOL m_filterOcx = FALSE;
  BOOL m_filterScr = FALSE;
  // Signalled by a worker that stopped on Cancel.
  OwnedHandle m_stopEvent;
  CBrush m_background;

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* dx) override;
  // Only the completion message ends the dialog with IDOK: Enter while the
  // worker runs is ignored.
  void OnOK() override;
  // Stops the worker, waits for it while serving its messages, then ends.
  void OnCancel() override;
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void OnPaint() override;
  HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT ctlType) override;
  LRESULT OnNcHitTest(CPoint screenPoint) override;
  void OnTimer(UINT_PTR id) override;

 private:
  using FolderIdentity = std::tuple<DWORD, DWORD, DWORD>;
  friend UINT SearchWorker(LPVOID job);

  bool StartWorker();
  // Returns once the worker has stopped or ended; sent messages and painting
  // are served meanwhile.
  void WaitForWorker();
  // The end of a search for the views: the count label unbound, the list
  // drawn again as usual. Only once the worker is done with them.
  void ReleaseViews();
  // The list is drawn a few times a second while the worker fills it, not
  // after every icon: redrawing it whole each time an icon scrolls it into
  // view costs more than loading the icon.
  void HoldListDrawing();
  void DrawListNow();
  void ShowNewestIcon() const;
  // Whether this folder is met for the first time in this search; links that
  // lead back into the tree are entered once only.
  bool FirstVisit(LPCSTR folder);
  void SearchFile(const CString& path);

  // Read by the worker before each entry; raised by Cancel.
  std::atomic<LONG> m_stop{0};
  // The worker thread's own handle, held until the dialog has waited for it.
  OwnedHandle m_workerEnd;
  bool m_searchComplete = false;
  bool m_cancelling = false;
  // The list whose drawing is held while the search runs, or null.
  HWND m_heldList = nullptr;
  // Folders entered in this search, used by the worker only.
  std::set<FolderIdentity> m_visitedFolders;
};
