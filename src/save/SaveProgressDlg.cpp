#include "save/SaveProgressDlg.h"

#include <cstdint>

#include "resources/resource.h"

CSaveProgressDlg::CSaveProgressDlg(const CIconCollection& icons)
    : CWorkerProgressDlg(IDD_SAVE_PROGRESS, WM_SAVE_FINISHED, {IDC_SAVE_MESSAGE, IDC_SAVE_PERCENT, IDC_PERCENT_SIGN}),
      m_icons(icons) {}

void CSaveProgressDlg::DoDataExchange(CDataExchange* dx) {
  CDialog::DoDataExchange(dx);
  DDX_Control(dx, IDC_SAVE_PERCENT, m_percentLabel);
  DDX_Control(dx, IDCANCEL, m_cancelButton);
  DDX_Control(dx, IDC_SAVE_PROGRESS, m_progress);
}

BOOL CSaveProgressDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  // Bounds of 32 bits: more than 65535 icons still move the bar to its end.
  m_progress.SetRange32(0, m_total);
  m_progress.SetPos(0);
  m_done = 0;
  m_written = 0;
  m_shownPercent = 0;  // the label's text in the dialog's template
  m_failures.clear();
  m_sources.clear();
  const int count = m_list ? m_list->GetItemCount() : 0;
  for (int i = 0; i < count && i < m_icons.GetCount(); ++i) {
    const IconSource* source = m_list->GetCheck(i) ? m_icons.GetSource(i) : nullptr;
    if (!source) continue;
    m_sources.push_back(SourceOf(*source));
  }
  StartWorker();
  return TRUE;
}

bool CSaveProgressDlg::Work() {
  const SaveJob job{std::string(m_folder), std::string(m_baseName), std::string(m_type)};
  return SaveIcons(job, m_sources, StopFlag(), m_written, m_failures);
}

void CSaveProgressDlg::OnWorkerEnded() {
  m_done = m_written.load();
  // Where a Cancel stopped it, too.
  ShowProgress();
}

void CSaveProgressDlg::ShowProgress() {
  const int done = m_written.load(std::memory_order_relaxed);
  m_progress.SetPos(done);
  const int percent = m_total > 0 ? static_cast<int>(static_cast<int64_t>(done) * 100 / m_total) : 0;
  if (percent == m_shownPercent) return;
  m_shownPercent = percent;
  CString text;
  text.Format("%d", percent);
  m_percentLabel.SetWindowText(text);
}
