#pragma once
// The save progress dialog: a captionless box with a bar, a percent label and
// Cancel, while SaveWorker writes the ticked icons of the main list.
//
// The command fills m_folder, m_baseName, m_type, m_list and m_total, then
// runs DoModal. The worker starts in OnInitDialog and ends the dialog with
// IDOK by posting WM_SAVE_FINISHED; Cancel raises m_cancel and ends it with
// IDCANCEL once the worker has stopped at its next check. Whichever way it
// ends, DoModal returns only after the worker thread has gone, so the worker
// never outlives the members it reads.

#include <windows.h>

#include <atomic>

#include "controls/RoundButton.h"
#include "framework/Dialog.h"
#include "framework/Gdi.h"
#include "framework/ListCtrl.h"
#include "framework/ProgressCtrl.h"
#include "framework/Static.h"
#include "save/ScopedHandle.h"

constexpr UINT WM_SAVE_FINISHED = WM_USER + 2;

class CSaveProgressDlg : public CDialog {
 public:
  explicit CSaveProgressDlg(CWnd* parent = nullptr);
  ~CSaveProgressDlg() override;

  INT_PTR DoModal() override;

  CStatic m_percentLabel;
  CRoundButton m_cancelButton;
  CProgressCtrl m_progress;
  CString m_folder;
  CString m_baseName;
  // "ico" or "bmp"; anything else is written as nothing and counted as a failed write.
  CString m_type;
  CListCtrl* m_list = nullptr;
  int m_total = 0;
  // Written by the worker only; read by others once it has ended.
  int m_done = 0;
  CString m_percentText;
  std::atomic<LONG> m_cancel{0};
  int m_nextNumber = 0;
  CBrush m_bkBrush;

  // 1 when the worker ran to the end, 0 when it stopped at Cancel;
  // STILL_ACTIVE while it runs or when it never started.
  DWORD WorkerExitCode() const;

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* dx) override;
  void OnCancel() override;
  // Enter: nothing. Only the worker's completion ends the dialog with IDOK.
  void OnOK() override {}
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT ctlType) override;
  void OnPaint() override;
  LRESULT OnNcHitTest(CPoint screenPoint) override;
  LRESULT OnSaveFinished(WPARAM wParam, LPARAM lParam);

 private:
  bool WorkerRunning() const;
  // Blocks until the worker has ended while serving this thread's messages:
  // the worker sends to the bar, the label and the main list, which this
  // thread owns, and waits for the answers.
  void WaitForWorker();

  // A handle of our own to the worker thread (the thread object deletes
  // itself when the routine returns): signalled once the worker is gone.
  ScopedHandle m_worker;
  bool m_cancelling = false;
};

// The worker routine; param is the running CSaveProgressDlg.
UINT SaveWorker(LPVOID param);
