#pragma once
// The Setting dialog: every user-changeable key of Config.ini, read when it
// opens and written back on OK.

#include <array>

#include "controls/ShadedButton.h"
#include "formats/FileTypes.h"
#include "framework/Button.h"
#include "framework/ComboBox.h"
#include "base/PaleDialog.h"
#include "framework/Edit.h"
#include "framework/Gdi.h"

class CSettingsDlg : public CPaleDialog {
 public:
  explicit CSettingsDlg(CWnd* parent = nullptr);

  CButton m_openDirCheck;
  CButton m_scrCheck;
  CButton m_ocxCheck;
  CButton m_cplCheck;
  CEdit m_prefixEdit;
  CComboBox m_typeCombo;
  CButton m_iclCheck;
  CButton m_icoCheck;
  CButton m_exeCheck;
  CButton m_dllCheck;
  CButton m_confirmCheck;
  CButton m_selectAllCheck;
  CShadedButton m_okButton;
  CShadedButton m_cancelButton;
  CShadedButton m_browseButton;
  CEdit m_folderEdit;
  CBrush m_folderBrush;

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT ctlType) override;

 private:
  // The file-type boxes, in the order of the type switches.
  std::array<CButton*, kTypeSwitchCount> FilterBoxes();
  // True when at least one file type stays switched on.
  bool AnyTypeChecked();
  // False, after saying why, when the prefix or the folder cannot name saved files.
  bool NamesUsable();
  void OnBrowse();
};
