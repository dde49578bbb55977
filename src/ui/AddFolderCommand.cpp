// Add Folder: every file of a picked folder tree offered to the loader.
#include "ui/MainDlg.h"

void CMainDlg::OnAddFolder() {}
