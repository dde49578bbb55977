// Add File: one module or icon file picked in the open-file dialog.
#include "ui/AddFileCommand.h"

#include "app/FilterSettings.h"
#include "app/MainApp.h"
#include "collection/FileTypes.h"
#include "framework/FileDialog.h"
#include "ui/MainDlg.h"

namespace {

// "*.dll;*.mun": the patterns of every file type the switch takes.
CString PatternsOf(const FilterSwitch& filterSwitch) {
  CString patterns;
  for (const FileType& type : kFileTypes) {
    if (&SwitchOf(type) != &filterSwitch) continue;
    if (!patterns.IsEmpty()) patterns += ";";
    patterns += CString("*.") + type.extension;
  }
  return patterns;
}

}  // namespace

CString AddFileFilter(const CIconCollection& icons) {
  CString filter("All Supported Types (By Filter)|");
  for (const FilterSwitch& type : kFilterSwitches)
    if (icons.*type.switchedOn) filter += PatternsOf(type) + ";";
  filter += "|";
  for (const FilterSwitch& type : kFilterSwitches)
    if (icons.*type.switchedOn) filter += CString(type.filterName) + " (" + PatternsOf(type) + ")|" + PatternsOf(type) + "|";
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
