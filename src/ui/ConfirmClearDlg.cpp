#include "ui/ConfirmClearDlg.h"

#include "app/MainApp.h"
#include "base/Settings.h"
#include "resources/resource.h"

CConfirmClearDlg::CConfirmClearDlg(CWnd* parent) : CDialog(IDD_CONFIRM_CLEAR, parent) {}

void CConfirmClearDlg::DoDataExchange(CDataExchange* dx) {
  CDialog::DoDataExchange(dx);
  DDX_Control(dx, IDCANCEL, m_cancelButton);
  DDX_Control(dx, IDOK, m_okButton);
  DDX_Control(dx, IDC_DONT_ASK, m_dontAskCheck);
}

void CConfirmClearDlg::OnOK() {
  const bool dontAsk = m_dontAskCheck.GetCheck() == BST_CHECKED;
  // Written even when unchanged, so the key is always present after an answer.
  const CConfigFile& config = TheApp().m_config;
  config.TakeWriteFailure();
  Settings settings = ReadSettings(config);
  settings.confirmClear = !dontAsk;
  WriteSettings(config, settings);
  // The answer counts whether or not it could be stored.
  ReportUnstoredSettings(config, m_hWnd);
  CDialog::OnOK();
}
