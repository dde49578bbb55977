#include "ui/IconListCtrl.h"

#include <windows.h>

#include <shellapi.h>

#include "app/FilterSettings.h"
#include "app/MainApp.h"
#include "ui/MainDlg.h"

void CIconListCtrl::OnDropFiles(HDROP drop) {
  const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
  CMainApp& app = TheApp();
  CIconCollection& icons = app.m_icons;
  ReadFilterSettings(app.m_config, icons);
  if (count == 1) {
    char path[MAX_PATH] = {};
    DragQueryFileA(drop, 0, path, MAX_PATH);
    if (icons.IsTypeSwitchedOn(LowercaseExtension(path))) {
      auto* mainWindow = static_cast<CMainDlg*>(GetParent());
      icons.LoadFromFile(path, mainWindow && mainWindow->SelectAllChecked());
      if (icons.GetCount() > 0) icons.m_saved = FALSE;
    } else {
      MessageBoxA(::GetParent(m_hWnd), "Unsupported Type!Please check the file filter!", "Error", MB_ICONERROR | MB_OK);
    }
  }
  DragFinish(drop);
}
