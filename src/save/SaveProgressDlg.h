#pragma once
// The save progress dialog: a captionless box with a bar, a percent label and
// Cancel, while its worker writes the ticked icons of the main list.
//
// The command fills m_folder, m_baseName, m_type, m_list and m_total, then
// runs DoModal. The dialog takes the ticked items' sources from the list and
// the collection before the worker starts; the worker reads and writes files
// and counts them, and the dialog shows the count a few times a second.

#include <windows.h>

#include <atomic>
#include <vector>

#include "base/WorkerProgressDlg.h"
#include "collection/IconCollection.h"
#include "controls/RoundButton.h"
#include "framework/ListCtrl.h"
#include "framework/ProgressCtrl.h"
#include "framework/Static.h"
#include "save/SaveWorker.h"

constexpr UINT WM_SAVE_FINISHED = WM_USER + 2;

class CSaveProgressDlg : public CWorkerProgressDlg {
 public:
  // Saves the ticked icons of `icons`, as the list shows them.
  explicit CSaveProgressDlg(const CIconCollection& icons);

  CStatic m_percentLabel;
  CRoundButton m_cancelButton;
  CProgressCtrl m_progress;
  CString m_folder;
  CString m_baseName;
  // "ico", "bmp" or "png"; anything else is written as nothing and counted as a failed write.
  CString m_type;
  CListCtrl* m_list = nullptr;
  const CIconCollection& m_icons;
  int m_total = 0;
  // Icons written, and those that were not; set once the worker has ended.
  int m_done = 0;
  std::vector<SaveFailure> m_failures;

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* dx) override;
  bool Work() override;
  void OnWorkerEnded() override;
  // The bar and the label show the count.
  void ShowProgress() override;

 private:

  // The ticked icons in list order, taken on the user-interface thread.
  std::vector<SaveSource> m_sources;
  // Counted by the worker while it runs; read by the timer.
  std::atomic<int> m_written{0};
  int m_shownPercent = 0;
};
