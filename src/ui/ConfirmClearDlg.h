#pragma once
// Asks before Clear All empties the list; its box turns the question off.

#include "controls/RoundButton.h"
#include "framework/Button.h"
#include "framework/Dialog.h"

class CConfirmClearDlg : public CDialog {
 public:
  explicit CConfirmClearDlg(CWnd* parent = nullptr);

  CRoundButton m_cancelButton;
  CRoundButton m_okButton;
  CButton m_dontAskCheck;

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  // Stores the answer to "Don't ask me the next time." (only OK does).
  void OnOK() override;
};
