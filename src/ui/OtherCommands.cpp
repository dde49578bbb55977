// Clear All, Setting, Help, About and Exit.
#include "ui/MainDlg.h"

void CMainDlg::OnClearAll() {}

void CMainDlg::OnSetting() {}

void CMainDlg::OnHelp() {}

void CMainDlg::OnAbout() {}

void CMainDlg::OnExit() {}
