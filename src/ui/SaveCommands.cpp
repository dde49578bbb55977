// Save and Save As: the ticked icons written by the save worker.
#include "ui/MainDlg.h"

void CMainDlg::OnSave() {}

void CMainDlg::OnSaveAs() {}
