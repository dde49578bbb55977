#include "save/SaveProgressDlg.h"

#include "framework/Thread.h"
#include "resources/resource.h"

namespace {

const COLORREF kBackground = RGB(240, 248, 255);

}  // namespace

CSaveProgressDlg::CSaveProgressDlg(CWnd* parent) : CDialog(IDD_SAVE_PROGRESS, parent), m_bkBrush(kBackground) {}

CSaveProgressDlg::~CSaveProgressDlg() {
  // DoModal already waited; this covers a dialog that never reached it.
  if (WorkerRunning()) {
    m_cancel = 1;
    WaitForWorker();
  }
}

void CSaveProgressDlg::DoDataExchange(CDataExchange* dx) {
  CDialog::DoDataExchange(dx);
  DDX_Control(dx, IDC_SAVE_PERCENT, m_percentLabel);
  DDX_Control(dx, IDCANCEL, m_cancelButton);
  DDX_Control(dx, IDC_SAVE_PROGRESS, m_progress);
}

INT_PTR CSaveProgressDlg::DoModal() {
  const INT_PTR result = CDialog::DoModal();
  // The loop can also end without either handler, on WM_QUIT.
  if (WorkerRunning()) {
    m_cancel = 1;
    WaitForWorker();
  }
  return result;
}

BOOL CSaveProgressDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  // Bounds of 32 bits: more than 65535 icons still move the bar to its end.
  m_progress.SetRange32(0, m_total);
  m_progress.SetPos(0);
  CWinThread* thread = AfxBeginThread(SaveWorker, this, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
  if (!thread) {
    EndDialog(IDABORT);
    return TRUE;
  }
  m_worker.Reset(thread->DuplicateThreadHandle());
  if (!m_worker.IsValid()) {
    // Without a handle its end could not be awaited, so it must not run; a
    // thread that never ran holds nothing.
    ::TerminateThread(thread->m_hThread, 0);
    EndDialog(IDABORT);
    return TRUE;
  }
  thread->ResumeThread();
  return TRUE;
}

bool CSaveProgressDlg::WorkerRunning() const {
  return m_worker.IsValid() && ::WaitForSingleObject(m_worker.Get(), 0) == WAIT_TIMEOUT;
}

DWORD CSaveProgressDlg::WorkerExitCode() const {
  DWORD code = STILL_ACTIVE;
  if (m_worker.IsValid()) ::GetExitCodeThread(m_worker.Get(), &code);
  return code;
}

void CSaveProgressDlg::WaitForWorker() {
  if (!m_worker.IsValid()) return;
  HANDLE worker = m_worker.Get();
  bool quit = false;
  int quitCode = 0;
  for (;;) {
    // After WM_QUIT only sent messages are served; the quit is posted again
    // for the outer loop once the worker is gone.
    const DWORD wake = quit ? QS_SENDMESSAGE : QS_ALLINPUT;
    const DWORD result = ::MsgWaitForMultipleObjects(1, &worker, FALSE, INFINITE, wake);
    if (result != WAIT_OBJECT_0 + 1) break;
    MSG msg;
    if (quit) {
      ::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
      continue;
    }
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        quit = true;
        quitCode = static_cast<int>(msg.wParam);
        break;
      }
      ::TranslateMessage(&msg);
      ::DispatchMessageA(&msg);
    }
  }
  if (quit) ::PostQuitMessage(quitCode);
}

void CSaveProgressDlg::OnCancel() {
  // A second click while the first one waits changes nothing.
  if (m_cancelling) return;
  m_cancelling = true;
  m_cancel = 1;
  WaitForWorker();
  CDialog::OnCancel();
}

LRESULT CSaveProgressDlg::OnSaveFinished(WPARAM, LPARAM) {
  // Under a Cancel that is already waiting, Cancel decides how the dialog ends.
  if (m_cancelling) return 0;
  // The worker posts this as its last act; its thread ends a moment later.
  WaitForWorker();
  EndDialog(IDOK);
  return 0;
}

LRESULT CSaveProgressDlg::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_SAVE_FINISHED) return OnSaveFinished(wParam, lParam);
  return CDialog::WindowProc(msg, wParam, lParam);
}

HBRUSH CSaveProgressDlg::OnCtlColor(CDC* dc, CWnd* control, UINT ctlType) {
  const HBRUSH framework = CDialog::OnCtlColor(dc, control, ctlType);
  if (!control) return framework;
  switch (control->GetDlgCtrlID()) {
    case IDC_SAVE_MESSAGE:
    case IDC_SAVE_PERCENT:
    case IDC_PERCENT_SIGN:
      dc->SetBkMode(TRANSPARENT);
      dc->SetTextColor(::GetSysColor(COLOR_WINDOWTEXT));
      return m_bkBrush;
  }
  return framework;
}

void CSaveProgressDlg::OnPaint() {
  CPaintDC dc(this);
  CRect client;
  GetClientRect(&client);
  dc.FillSolidRect(&client, kBackground);
}

LRESULT CSaveProgressDlg::OnNcHitTest(CPoint screenPoint) {
  const LRESULT hit = CDialog::OnNcHitTest(screenPoint);
  // No caption: the whole surface drags the box.
  return hit == HTCLIENT ? HTCAPTION : hit;
}
