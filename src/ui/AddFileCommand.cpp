// Add File: one module or icon file picked in the open-file dialog.
#include "ui/MainDlg.h"

void CMainDlg::OnAddFile() {}
