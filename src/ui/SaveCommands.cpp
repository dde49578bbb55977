// Save and Save As: the ticked icons written by the save worker.
#include "ui/MainDlg.h"

#include "app/MainApp.h"
#include "save/SaveCommand.h"

void CMainDlg::OnSave() {
  CMainApp& app = TheApp();
  CSaveCommand(this, &m_iconList, app.m_icons, app.m_config).SaveToLibrary();
}

void CMainDlg::OnSaveAs() {
  CMainApp& app = TheApp();
  CSaveCommand(this, &m_iconList, app.m_icons, app.m_config).SaveAs();
}
