#pragma once
// A captionless progress dialog that runs one job on a worker thread while it
// is open, offering Cancel. The worker reaches windows only through messages
// and reports the end of its job by posting the finish message. On every way
// out (the finish, Cancel or Esc, a WM_QUIT that destroys the window) the
// dialog waits for the worker before it ends, serving meanwhile only what
// the worker may wait for: messages it sends, and painting.

#include <windows.h>

#include <atomic>
#include <initializer_list>
#include <vector>

#include "base/PaleDialog.h"
#include "framework/Handle.h"

class CWorkerProgressDlg : public CPaleDialog {
 public:
  ~CWorkerProgressDlg() override;
  CWorkerProgressDlg(const CWorkerProgressDlg&) = delete;
  CWorkerProgressDlg& operator=(const CWorkerProgressDlg&) = delete;

  // Whether the worker went through its whole job; false after a stop.
  bool WorkerFinished() const { return m_finished; }

 protected:
  // transparentIds: the static controls drawn on the dialog's background.
  CWorkerProgressDlg(UINT templateId, UINT finishedMessage, std::initializer_list<int> transparentIds);

  // The job, on the worker thread: true when it went through all of it,
  // false when it stopped on StopRequested, which it reads between items.
  virtual bool Work() = 0;
  // On the user-interface thread once the worker is done, before the dialog
  // ends, once whichever way it ends.
  virtual void OnWorkerEnded() {}
  // On the user-interface thread every twentieth of a second while the
  // worker runs: the worker never waits for the dialog to show its progress.
  virtual void ShowProgress() {}
  void OnTimer(UINT_PTR id) override;

  // From OnInitDialog. False when no worker could be started: the dialog
  // then ends at once with IDCANCEL.
  bool StartWorker();
  bool StopRequested() const { return m_stop.load() != 0; }
  const std::atomic<LONG>& StopFlag() const { return m_stop; }

  // Enter does nothing: only the finish message ends the dialog with IDOK.
  void OnOK() override {}
  void OnCancel() override;
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT ctlType) override;
  LRESULT OnNcHitTest(CPoint screenPoint) override;

 private:
  static UINT Run(LPVOID self);
  void WaitForWorker();
  // Stops and waits for the worker, then ends with result unless already ending.
  void EndAfterWorker(int result);

  const UINT m_finishedMessage;
  const std::vector<int> m_transparentIds;
  std::atomic<LONG> m_stop{0};
  // Signalled by the worker after its last touch of the dialog.
  CKernelHandle m_workerDone;
  bool m_ending = false;
  bool m_finished = false;
};
