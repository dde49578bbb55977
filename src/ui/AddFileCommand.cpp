// Add File: one module or icon file picked in the open-file dialog.
#include "ui/AddFileCommand.h"

#include "collection/FilterSettings.h"
#include "app/MainApp.h"
#include "collection/FileTypes.h"
#include "framework/FileDialog.h"
#include "ui/MainDlg.h"

#include <string>

namespace {

// "*.dll;*.mun": the patterns of every file type the switch takes.
CString PatternsOf(size_t typeSwitch) {
  CString patterns;
  for (const FileType& type : kFileTypes) {
    if (static_cast<size_t>(type.switchedBy) != typeSwitch) continue;
    if (!patterns.IsEmpty()) patterns += ";";
    patterns += CString("*.") + type.extension;
  }
  return patterns;
}

}  // namespace

CString AddFileFilter(const CIconCollection& icons) {
  CString filter("All Supported Types (By Filter)|");
  const TypeSwitches on = icons.Switches();
  for (size_t i = 0; i < kTypeSwitchCount; ++i)
    if (on[i]) filter += PatternsOf(i) + ";";
  filter += "|";
  for (size_t i = 0; i < kTypeSwitchCount; ++i)
    if (on[i]) filter += CString(kFilterNames[i]) + " (" + PatternsOf(i) + ")|" + PatternsOf(i) + "|";
  return filter;
}

void CMainDlg::OnAddFile() {
  CMainApp& app = TheApp();
  ReadFilterSettings(app.m_config, app.m_icons);
  const BOOL checked = SelectAllChecked();
  CFileDialog dialog(TRUE, nullptr, nullptr, OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST, AddFileFilter(app.m_icons), this);
  if (dialog.DoModal() != IDOK) return;
  LoadFileAndTell(std::string(dialog.GetPathName()), checked);
}

void CMainDlg::LoadFileAndTell(const std::string& path, BOOL checked) {
  const std::string text = LoadFile(path, checked);
  if (!text.empty()) MessageBoxA(m_hWnd, text.c_str(), "Vantrel", MB_ICONWARNING | MB_OK);
}

std::string CMainDlg::LoadFile(const std::string& path, BOOL checked) {
  CIconCollection& icons = TheApp().m_icons;
  const int before = icons.GetCount();
  const FileReading reading = icons.LoadFromFile(path.c_str(), checked);
  if (icons.GetCount() > 0) icons.SetSaved(false);
  const std::string problem = ReadingProblem(reading);
  if (problem.empty()) return problem;
  std::string text = path + "\n" + problem + ".";
  if (reading.status == ReadStatus::OutOfMemory)
    text += "\nThe icons listed so far stay in the list and can be saved.";
  else if (reading.status == ReadStatus::Damaged && icons.GetCount() > before)
    text += "\nThe icons that could be read are in the list.";
  return text;
}
