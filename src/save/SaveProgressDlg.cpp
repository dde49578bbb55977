#include "save/SaveProgressDlg.h"

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
  SaveJob job{std::string(m_folder), std::string(m_baseName), std::string(m_type), m_total,
              m_progress.m_hWnd, m_percentLabel.m_hWnd};
  return SaveIcons(job, m_sources, StopFlag(), m_done, m_failures);
}
