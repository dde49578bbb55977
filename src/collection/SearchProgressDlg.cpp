#include "collection/SearchProgressDlg.h"

#include "app/MainApp.h"
#include "framework/FileFind.h"
#include "resources/resource.h"

namespace {

const COLORREF kBackgroundColor = RGB(240, 248, 255);
const UINT_PTR kListDrawTimer = 1;
const UINT kListDrawMilliseconds = 200;

OwnedHandle OpenFolderForQuery(LPCSTR folder) {
  const HANDLE handle = ::CreateFileA(folder, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  return OwnedHandle(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}

bool IsOneOf(int id, std::initializer_list<int> ids) {
  for (const int candidate : ids)
    if (id == candidate) return true;
  return false;
}

}  // namespace

CSearchProgressDlg::CSearchProgressDlg() : CDialog(IDD_SEARCH_PROGRESS), m_background(kBackgroundColor) {}

CSearchProgressDlg::~CSearchProgressDlg() = default;

void CSearchProgressDlg::DoDataExchange(CDataExchange* dx) {
  CDialog::DoDataExchange(dx);
  DDX_Control(dx, IDC_CURRENT_FILE, m_currentFile);
  DDX_Control(dx, IDC_ICON_COUNT, m_iconCount);
  DDX_Control(dx, IDC_FILE_COUNT, m_fileCountLabel);
  DDX_Control(dx, IDCANCEL, m_cancelButton);
}

BOOL CSearchProgressDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  const CConfigFile& config = TheApp().m_config;
  m_filterExe = config.GetBool("Filter", "Exe") ? TRUE : FALSE;
  m_filterDll = config.GetBool("Filter", "Dll") ? TRUE : FALSE;
  m_filterIco = config.GetBool("Filter", "Ico") ? TRUE : FALSE;
  m_filterIcl = config.GetBool("Filter", "Icl") ? TRUE : FALSE;
  m_filterCpl = config.GetBool("Filter", "Cpl") ? TRUE : FALSE;
  m_filterOcx = config.GetBool("Filter", "Ocx") ? TRUE : FALSE;
  m_filterScr = config.GetBool("Filter", "Scr") ? TRUE : FALSE;
  m_fileCountLabel.SetWindowText("0");
  m_iconCount.SetWindowText("0");
  HoldListDrawing();
  if (!StartWorker()) {
    WaitForWorker();
    EndDialog(IDCANCEL);
  }
  return TRUE;
}

bool CSearchProgressDlg::StartWorker() {
  // The event exists before the worker runs, so a worker that stops at once
  // always has something to signal.
  m_stopEvent.reset(::CreateEventA(nullptr, TRUE, FALSE, nullptr));
  if (!m_stopEvent) return false;
  m_stop = 0;
  m_searchComplete = false;
  m_cancelling = false;
  m_fileCount = 0;
  m_visitedFolders.clear();

  auto* job = new SearchJob{};
  job->dialog = this;
  lstrcpynA(job->folder, m_folder, MAX_PATH);
  m_worker = AfxBeginThread(SearchWorker, job, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
  if (!m_worker) {
    delete job;
    // No worker, so nothing will ever signal it: nothing to wait for.
    m_stopEvent.reset();
    return false;
  }
  // The thread object deletes itself when the routine returns, so the handle
  // to wait on is taken before the routine may run.
  m_workerEnd.reset(m_worker->DuplicateThreadHandle());
  // A worker that could not be waited for must not walk: it stops at once and
  // signals the stop event.
  if (!m_workerEnd) m_stop = 1;
  m_worker->ResumeThread();
  return m_workerEnd != nullptr;
}

void CSearchProgressDlg::WaitForWorker() {
  HANDLE handles[2];
  DWORD count = 0;
  if (m_workerEnd) handles[count++] = m_workerEnd.get();
  if (m_stopEvent) handles[count++] = m_stopEvent.get();
  if (count == 0) return;
  for (;;) {
    const DWORD woke = ::MsgWaitForMultipleObjects(count, handles, FALSE, INFINITE, QS_SENDMESSAGE | QS_PAINT);
    if (woke != WAIT_OBJECT_0 + count) break;
    // Peeking runs the messages the worker sends (it waits for them); painting
    // keeps the windows drawn. Everything else stays queued for the modal loop.
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE | PM_QS_PAINT)) ::DispatchMessageA(&msg);
  }
  m_workerEnd.reset();
}

void CSearchProgressDlg::OnOK() {
  if (!m_searchComplete) return;
  // The worker posted its last message and touches nothing more; it is let
  // end before the dialog goes, so nothing of this search outlives it.
  WaitForWorker();
  ReleaseViews();
  CDialog::OnOK();
}

void CSearchProgressDlg::OnCancel() {
  // A Cancel sent from elsewhere while this one waits must not wait again,
  // nor end anything before the worker is done.
  if (m_cancelling) return;
  m_cancelling = true;
  m_stop = 1;
  WaitForWorker();
  ReleaseViews();
  CDialog::OnCancel();
}

void CSearchProgressDlg::ReleaseViews() {
  // Only after the worker is done: it reads the binding with every icon.
  CIconCollection& icons = TheApp().m_icons;
  if (icons.m_countLabel == &m_iconCount) icons.SetCountLabel(nullptr);
  if (!m_heldList) return;
  KillTimer(kListDrawTimer);
  ::SendMessageA(m_heldList, WM_SETREDRAW, TRUE, 0);
  ShowNewestIcon();
  ::RedrawWindow(m_heldList, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  m_heldList = nullptr;
}

void CSearchProgressDlg::HoldListDrawing() {
  const CListCtrl* list = TheApp().m_icons.m_listView;
  if (!list || !::IsWindow(list->GetSafeHwnd()) || !::IsWindowVisible(list->GetSafeHwnd())) return;
  m_heldList = list->GetSafeHwnd();
  ::SendMessageA(m_heldList, WM_SETREDRAW, FALSE, 0);
  SetTimer(kListDrawTimer, kListDrawMilliseconds);
}

void CSearchProgressDlg::DrawListNow() {
  if (!m_heldList || !::IsWindow(m_heldList)) return;
  ::SendMessageA(m_heldList, WM_SETREDRAW, TRUE, 0);
  ShowNewestIcon();
  ::RedrawWindow(m_heldList, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  ::SendMessageA(m_heldList, WM_SETREDRAW, FALSE, 0);
}

void CSearchProgressDlg::ShowNewestIcon() const {
  // The scrolls sent with each icon while drawing was held may have been
  // measured against a range not yet grown; the newest icon is what they meant to show.
  const LRESULT count = ::SendMessageA(m_heldList, LVM_GETITEMCOUNT, 0, 0);
  if (count > 0) ::SendMessageA(m_heldList, LVM_ENSUREVISIBLE, count - 1, FALSE);
}

void CSearchProgressDlg::OnTimer(UINT_PTR id) {
  if (id == kListDrawTimer) {
    DrawListNow();
    return;
  }
  CDialog::OnTimer(id);
}

LRESULT CSearchProgressDlg::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_SEARCH_COMPLETE:
      m_searchComplete = true;
      OnOK();
      return 0;
    case WM_DESTROY:
      // The modal loop can also end without OnOK or OnCancel (WM_QUIT): the
      // worker is stopped before the controls it writes to are gone.
      if (m_workerEnd) {
        m_stop = 1;
        WaitForWorker();
      }
      ReleaseViews();
      break;
  }
  return CDialog::WindowProc(msg, wParam, lParam);
}

void CSearchProgressDlg::OnPaint() {
  CPaintDC dc(this);
  CRect client;
  GetClientRect(&client);
  dc.FillSolidRect(&client, kBackgroundColor);
}

HBRUSH CSearchProgressDlg::OnCtlColor(CDC* dc, CWnd* control, UINT ctlType) {
  const HBRUSH framework = CDialog::OnCtlColor(dc, control, ctlType);
  if (ctlType != CTLCOLOR_STATIC || !control) return framework;
  if (!IsOneOf(control->GetDlgCtrlID(),
               {IDC_CURRENT_FILE, IDC_FILE_COUNT_LABEL, IDC_FILE_COUNT, IDC_ICON_COUNT_LABEL, IDC_ICON_COUNT}))
    return framework;
  dc->SetBkMode(TRANSPARENT);
  dc->SetTextColor(::GetSysColor(COLOR_WINDOWTEXT));
  return m_background;
}

LRESULT CSearchProgressDlg::OnNcHitTest(CPoint screenPoint) {
  const LRESULT hit = CDialog::OnNcHitTest(screenPoint);
  // Without a caption, the whole surface drags the dialog.
  return hit == HTCLIENT ? HTCAPTION : hit;
}

BOOL CSearchProgressDlg::SearchFolder(LPCSTR folder) {
  if (m_stop) return 0;
  CString pattern(folder);
  if (pattern.GetAt(pattern.GetLength() - 1) != '\\') pattern += '\\';
  pattern += "*.*";
  // A pattern past MAX_PATH cannot be opened through the ANSI calls: such a
  // folder is skipped like any other that cannot be read.
  if (pattern.GetLength() >= MAX_PATH || !FirstVisit(folder)) return 1;

  CFileFind find;
  BOOL more = find.FindFile(pattern);
  while (more) {
    if (m_stop) return 0;
    more = find.FindNextFile();
    if (find.IsDots()) continue;
    if (find.IsDirectory()) {
      // A stop inside is seen at this folder's next entry.
      SearchFolder(find.GetFilePath());
      continue;
    }
    SearchFile(find.GetFilePath());
  }
  return 1;
}

void CSearchProgressDlg::SearchFile(const CString& path) {
  m_currentFile.SetWindowText(path);
  // While a file loads, the label shows the files before it.
  m_countText.Format("%d", m_fileCount);
  ++m_fileCount;
  m_fileCountLabel.SetWindowText(m_countText);
  // A path the record cannot hold is counted but never cut into another file's path.
  if (path.GetLength() >= MAX_PATH) return;
  TheApp().m_icons.LoadFromFile(path, m_checked, &m_stop);
}

bool CSearchProgressDlg::FirstVisit(LPCSTR folder) {
  const OwnedHandle handle = OpenFolderForQuery(folder);
  BY_HANDLE_FILE_INFORMATION info = {};
  if (handle && ::GetFileInformationByHandle(handle.get(), &info) && (info.nFileIndexHigh || info.nFileIndexLow)) {
    return m_visitedFolders.insert({info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow}).second;
  }
  // Without an identity a link cannot be told from the folder it leads to,
  // so only plain folders are entered.
  const DWORD attributes = ::GetFileAttributesA(folder);
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

UINT SearchWorker(LPVOID param) {
  std::unique_ptr<SearchJob> job(static_cast<SearchJob*>(param));
  CSearchProgressDlg& dialog = *job->dialog;
  CIconCollection& icons = TheApp().m_icons;
  icons.SetCountLabel(&dialog.m_iconCount);
  icons.m_filterExe = dialog.m_filterExe;
  icons.m_filterDll = dialog.m_filterDll;
  icons.m_filterIco = dialog.m_filterIco;
  icons.m_filterIcl = dialog.m_filterIcl;
  icons.m_filterCpl = dialog.m_filterCpl;
  icons.m_filterOcx = dialog.m_filterOcx;
  icons.m_filterScr = dialog.m_filterScr;

  const BOOL complete = dialog.SearchFolder(job->folder);
  // Once reported, the dialog may end at any moment: nothing of it is used after.
  const HWND window = dialog.m_hWnd;
  const HANDLE stopped = dialog.m_stopEvent.get();
  job.reset();
  if (complete) {
    ::PostMessageA(window, WM_SEARCH_COMPLETE, 0, 0);
    return 1;
  }
  ::SetEvent(stopped);
  return 0;
}
