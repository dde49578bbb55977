// Clear All, Setting, Help, About and Exit.
#include <windows.h>

#include <shellapi.h>

#include <string>

#include "app/MainApp.h"
#include "base/Settings.h"
#include "ui/AboutDlg.h"
#include "ui/ConfirmClearDlg.h"
#include "ui/MainDlg.h"
#include "ui/SettingsDlg.h"

void CMainDlg::OnClearAll() {
  if (ReadSettings(TheApp().m_config).confirmClear && m_iconList.GetItemCount() > 0) {
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
  const Settings chosen = ReadSettings(TheApp().m_config);
  // Only the box: icons already in the list keep their own check boxes.
  m_selectAllCheck.SetCheck(chosen.selectAll ? BST_CHECKED : BST_UNCHECKED);
  ApplyViewSetting(chosen.view);
}

void CMainDlg::OnHelp() {
  const CString page = GetModuleFolder() + "\\help.htm";
  const INT_PTR result =
      reinterpret_cast<INT_PTR>(ShellExecuteA(nullptr, "open", page, nullptr, nullptr, SW_SHOWNORMAL));
  if (result > 32) return;
  // Otherwise the menu item would seem to do nothing.
  const char* why = result == SE_ERR_FNF || result == SE_ERR_PNF ? "The page is missing."
                    : result == SE_ERR_NOASSOC                    ? "No program is set to open web pages."
                                                                  : "The system could not open it.";
  MessageBoxA(m_hWnd, std::string("The help page could not be opened:\n" + std::string(page) + "\n" + why).c_str(),
              "Vantrel", MB_OK | MB_ICONWARNING);
}

void CMainDlg::OnAbout() {
  CAboutDlg about;
  about.DoModal();
}

void CMainDlg::OnExit() {
  if (!ConfirmUnsavedIcons()) return;
  // The exit is decided: a clearing question here could change nothing.
  EmptyIconList();
  OnOK();
}
