// Add File: one module or icon file picked in the open-file dialog.
#include "ui/AddFileCommand.h"

#include "app/FilterSettings.h"
#include "app/MainApp.h"
#include "framework/FileDialog.h"
#include "ui/MainDlg.h"

namespace {

struct FileType {
  BOOL CIconCollection::*flag;
  const char* pattern;
  const char* entry;
};

const FileType kFileTypes[] = {
    {&CIconCollection::m_filterExe, "*.exe;", "Exe Files (*.exe)|*.exe|"},
    {&CIconCollection::m_filterDll, "*.dll;", "Dll Files (*.dll)|*.dll|"},
    {&CIconCollection::m_filterIco, "*.ico;", "Icon Files (*.ico)|*.ico|"},
    {&CIconCollection::m_filterIcl, "*.icl;", "Icl Files (*.icl)|*.icl|"},
    {&CIconCollection::m_filterCpl, "*.cpl;", "Cpl Files (*.cpl)|*.cpl|"},
    {&CIconCollection::m_filterOcx, "*.ocx;", "Ocx Files (*.ocx)|*.ocx|"},
    {&CIconCollection::m_filterScr, "*.scr;", "Scr Files (*.scr)|*.scr|"},
};

}  // namespace

CString AddFileFilter(const CIconCollection& icons) {
  CString filter("All Supported Types (By Filter)|");
  for (const FileType& type : kFileTypes)
    if (icons.*type.flag) filter += type.pattern;
  filter += "|";
  for (const FileType& type : kFileTypes)
    if (icons.*type.flag) filter += type.entry;
  return filter;
}

void CMainDlg::OnAddFile() {
  CMainApp& app = TheApp();
  ReadFilterSettings(app.m_config, app.m_icons);
  const BOOL checked = SelectAllChecked();
  CFileDialog dialog(TRUE, nullptr, nullptr, OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST, AddFileFilter(app.m_icons), this);
  if (dialog.DoModal() != IDOK) return;
  app.m_icons.LoadFromFile(dialog.GetPathName(), checked);
  if (app.m_icons.GetCount() > 0) app.m_icons.m_saved = FALSE;
}
