#include "base/WorkerProgressDlg.h"

#include "framework/Thread.h"

namespace {

const UINT_PTR kProgressTimer = 1;
// Often enough for the list and counts to follow the worker, rarely enough
// that taking its results in batches pays; a message for every few items
// made the worker wait for each redraw.
const UINT kProgressMilliseconds = 50;

}  // namespace

CWorkerProgressDlg::CWorkerProgressDlg(UINT templateId, UINT finishedMessage,
                                       std::initializer_list<int> transparentIds)
    : CPaleDialog(templateId), m_finishedMessage(finishedMessage), m_transparentIds(transparentIds) {}

CWorkerProgressDlg::~CWorkerProgressDlg() {
  // The window's destruction already waited; this covers a dialog whose
  // window was never made.
  m_stop = 1;
  WaitForWorker();
}

bool CWorkerProgressDlg::StartWorker() {
  m_stop = 0;
  m_ending = false;
  m_finished = false;
  // The event exists before the worker runs, so whatever happens the worker
  // has something to signal, and nothing is left to wait for when it never ran.
  m_workerDone.Reset(::CreateEventA(nullptr, TRUE, FALSE, nullptr));
  if (m_workerDone && AfxBeginThread(Run, this)) {
    SetTimer(kProgressTimer, kProgressMilliseconds);
    return true;
  }
  m_workerDone.Reset();
  m_ending = true;
  OnWorkerEnded();
  EndDialog(IDCANCEL);
  return false;
}

UINT CWorkerProgressDlg::Run(LPVOID self) {
  auto& dialog = *static_cast<CWorkerProgressDlg*>(self);
  const bool finished = dialog.Work();
  const HWND window = dialog.m_hWnd;
  const UINT message = dialog.m_finishedMessage;
  const HANDLE done = dialog.m_workerDone.Get();
  if (finished) ::PostMessageA(window, message, 0, 0);
  // The dialog may be gone as soon as this is signalled.
  ::SetEvent(done);
  return finished ? 1 : 0;
}

void CWorkerProgressDlg::WaitForWorker() {
  if (!m_workerDone) return;
  const HANDLE done = m_workerDone.Get();
  while (::MsgWaitForMultipleObjects(1, &done, FALSE, INFINITE, QS_SENDMESSAGE | QS_PAINT) ==
         WAIT_OBJECT_0 + 1) {
    // Peeking runs what the worker sends and waits for; painting keeps the
    // windows drawn. Input and posted messages, a WM_QUIT too, stay queued.
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE | PM_QS_PAINT)) ::DispatchMessageA(&msg);
  }
  m_workerDone.Reset();
}

void CWorkerProgressDlg::EndAfterWorker(int result) {
  // A second Cancel, or a finish posted while Cancel waits, ends nothing twice.
  if (m_ending) return;
  m_ending = true;
  if (result != IDOK) m_stop = 1;
  WaitForWorker();
  m_finished = result == IDOK;
  KillTimer(kProgressTimer);
  OnWorkerEnded();
  EndDialog(result);
}

void CWorkerProgressDlg::OnTimer(UINT_PTR id) {
  if (id == kProgressTimer) {
    ShowProgress();
    return;
  }
  CPaleDialog::OnTimer(id);
}

void CWorkerProgressDlg::OnCancel() { EndAfterWorker(IDCANCEL); }

LRESULT CWorkerProgressDlg::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == m_finishedMessage) {
    EndAfterWorker(IDOK);
    return 0;
  }
  if (msg == WM_DESTROY && !m_ending) {
    // The modal loop ended on WM_QUIT: the worker stops while the windows it
    // sends to still exist.
    m_ending = true;
    m_stop = 1;
    WaitForWorker();
    KillTimer(kProgressTimer);
    OnWorkerEnded();
  }
  return CPaleDialog::WindowProc(msg, wParam, lParam);
}

HBRUSH CWorkerProgressDlg::OnCtlColor(CDC* dc, CWnd* control, UINT ctlType) {
  const HBRUSH framework = CPaleDialog::OnCtlColor(dc, control, ctlType);
  if (ctlType != CTLCOLOR_STATIC || !control) return framework;
  const int id = control->GetDlgCtrlID();
  bool transparent = false;
  for (const int candidate : m_transparentIds) transparent = transparent || candidate == id;
  return transparent ? OnPale(dc, ::GetSysColor(COLOR_WINDOWTEXT)) : framework;
}

LRESULT CWorkerProgressDlg::OnNcHitTest(CPoint screenPoint) {
  const LRESULT hit = CPaleDialog::OnNcHitTest(screenPoint);
  // Without a caption, the whole surface drags the dialog.
  return hit == HTCLIENT ? HTCAPTION : hit;
}
