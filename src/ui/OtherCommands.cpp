// Clear All, Setting, Help, About and Exit.
#include <windows.h>

#include <shellapi.h>

#include "app/MainApp.h"
#include "ui/AboutDlg.h"
#include "ui/ConfirmClearDlg.h"
#include "ui/MainDlg.h"
#include "ui/SettingsDlg.h"

void CMainDlg::OnClearAll() {
  if (TheApp().m_config.GetBool("Setting", "Confirm") && m_iconList.GetItemCount() > 0) {
    CConfirmClearDlg confirm;
    // A question that could not be asked is no consent either.
    if (confirm.DoModal() != IDOK) return;
  }
  // Clearing is not saving: the unsaved state stays as it was.
  EmptyIconList();
}

void CMainDlg::OnSetting() {
  CSettingsDlg settings;
  if (settings.DoModal() != IDOK) return;
  const CConfigFile& config = TheApp().m_config;
  // Only the box: icons already in the list keep their own check boxes.
  m_selectAllCheck.SetCheck(config.GetBool("Setting", "SelectAll") ? BST_CHECKED : BST_UNCHECKED);
  ApplyViewSetting(config.GetInt("Setting", "View"));
}

void CMainDlg::OnHelp() {
  // A missing page shows nothing, so the result is of no use.
  ShellExecuteA(nullptr, "open", GetModuleFolder() + "\\help.htm", nullptr, nullptr, SW_SHOWNORMAL);
}

void CMainDlg::OnAbout() {
  CAboutDlg about;
  about.DoModal();
}

void CMainDlg::OnExit() {
  if (!ConfirmUnsavedIcons()) return;
  // The confirmation may keep the icons, but the window closes either way.
  OnClearAll();
  OnOK();
}
