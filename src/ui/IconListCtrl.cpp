#include "ui/IconListCtrl.h"

#include <windows.h>

#include <shellapi.h>

#include <string>

#include "app/FilterSettings.h"
#include "app/MainApp.h"
#include "ui/MainDlg.h"

void CIconListCtrl::OnDropFiles(HDROP drop) {
  const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
  CMainApp& app = TheApp();
  CIconCollection& icons = app.m_icons;
  ReadFilterSettings(app.m_config, icons);
  if (count == 1) {
    // Read whole: a path cut to fit a buffer could name another file. The
    // loader itself refuses a path too long for its record.
    std::string path(DragQueryFileA(drop, 0, nullptr, 0), '\0');
    DragQueryFileA(drop, 0, &path[0], static_cast<UINT>(path.size() + 1));
    if (icons.IsTypeSwitchedOn(LowercaseExtension(path.c_str()))) {
      auto* mainWindow = static_cast<CMainDlg*>(GetParent());
      icons.LoadFromFile(path.c_str(), mainWindow && mainWindow->SelectAllChecked());
      if (icons.GetCount() > 0) icons.m_saved = FALSE;
    } else {
      MessageBoxA(::GetParent(m_hWnd), "Unsupported Type!Please check the file filter!", "Error", MB_ICONERROR | MB_OK);
    }
  }
  DragFinish(drop);
}
