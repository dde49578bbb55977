#include "save/SaveCommand.h"

#include <windows.h>
#include <shellapi.h>

#include <string>

#include "base/Settings.h"
#include "framework/FileDialog.h"
#include "save/SaveNaming.h"
#include "save/SaveProgressDlg.h"
#include "save/SaveTypes.h"
#include "save/WriteProbe.h"

const char kNoSelectedIcon[] = "No Selected Icon!";
const char kCannotSaveHere[] = "Cannot save icons to the selected directory!Please check settings!";
const char kFolderTooLong[] = "The folder's path is too long for the names of the saved icons:";
const char kOnlySaveTypes[] = "Icons can be saved only as .ico, .bmp or .png files.";

CSaveCommand::CSaveCommand(CWnd* owner, CListCtrl* list, CIconCollection& icons, const CConfigFile& config)
    : m_owner(owner), m_list(list), m_icons(icons), m_config(config) {}

int CSaveCommand::CountTicked() const {
  int ticked = 0;
  const int count = m_list->GetItemCount();
  for (int i = 0; i < count; ++i) ticked += m_list->GetCheck(i) ? 1 : 0;
  return ticked;
}

void CSaveCommand::ShowMessage(LPCSTR text, LPCSTR caption, UINT type) const {
  ::MessageBoxA(m_owner ? m_owner->m_hWnd : nullptr, text, caption, type);
}

void CSaveCommand::SaveToLibrary() {
  if (m_list->GetItemCount() == 0) return;
  const Settings settings = ReadSettings(m_config);
  const CString library = settings.libraryFolder.c_str();
  // Unset (or unreadable) names no folder: "\\" would be the drive's root.
  if (library.IsEmpty()) {
    ShowMessage(kCannotSaveHere, "Error", MB_ICONERROR);
    return;
  }
  const CString prefix = settings.titlePrefix.c_str();
  const CString type = SaveTypeFromSetting(settings.saveType.c_str());
  const int ticked = CountTicked();
  // Before the folder is made: a folder the names cannot go into is not made.
  if (!NamesUsable(library, prefix, type, ticked)) return;
  // Only the last level is made; an existing folder is fine.
  ::CreateDirectoryA(library, nullptr);
  if (ticked == 0) {
    ShowMessage(kNoSelectedIcon, "Vantrel", MB_ICONINFORMATION);
    return;
  }
  SaveInto(library, prefix, type, ticked);
}

bool CSaveCommand::NamesUsable(const CString& folder, const CString& baseName, const CString& type, int ticked) const {
  // Whatever reaches here, from Config.ini or a dialog, writes only inside the folder.
  const std::string problem = BaseNameProblem(baseName);
  if (!problem.empty()) {
    const std::string text = "Icons cannot be saved under the name \"" + std::string(baseName) + "\": " + problem + ".";
    ShowMessage(text.c_str(), "Error", MB_ICONERROR);
    return false;
  }
  // Refused whole rather than cut into the name of some other folder.
  if (!SavedNamesFit(folder, baseName, ticked, type)) {
    const std::string text = std::string(kFolderTooLong) + "\n" + std::string(folder);
    ShowMessage(text.c_str(), "Error", MB_ICONERROR);
    return false;
  }
  return true;
}

void CSaveCommand::SaveAs() {
  if (m_list->GetItemCount() == 0) return;
  const int ticked = CountTicked();
  if (ticked == 0) {
    ShowMessage(kNoSelectedIcon, "Vantrel", MB_ICONINFORMATION);
    return;
  }
  CString path, title, type;
  if (!PickSaveAsPath(path, title, type)) return;
  type.MakeLower();
  // Refused before anything is written: any other type would write nothing
  // while counting every icon as saved.
  if (!IsSavableType(type)) {
    ShowMessage(kOnlySaveTypes, "Error", MB_ICONERROR);
    return;
  }
  const int lastBackslash = path.ReverseFind('\\');
  CString folder = lastBackslash >= 0 ? path.Left(lastBackslash) : CString();
  // "C:" alone names the drive's current folder, not its root.
  if (folder.GetLength() == 2 && folder.GetAt(1) == ':') folder += '\\';
  SaveInto(folder, title, type, ticked);
}

void CSaveCommand::SaveInto(const CString& folder, const CString& baseName, const CString& type, int ticked) {
  if (!NamesUsable(folder, baseName, type, ticked)) return;
  // The picked file itself is never created or deleted: the icons go under
  // numbered names, and a file of that name may be one the user keeps.
  if (!CanCreateFilesIn(folder)) {
    ShowMessage(kCannotSaveHere, "Error", MB_ICONERROR);
    return;
  }
  CSaveProgressDlg dialog(m_icons);
  dialog.m_folder = WithTrailingBackslash(folder);
  dialog.m_baseName = baseName;
  dialog.m_type = type;
  dialog.m_list = m_list;
  dialog.m_total = ticked;
  dialog.DoModal();
  // Saved only when every ticked icon was written: otherwise Exit still asks.
  if (dialog.WorkerFinished() && dialog.m_done == ticked) m_icons.SetSaved(true);
  if (!dialog.m_failures.empty()) ShowMessage(SaveFailureMessage(dialog.m_failures, ticked).c_str(), "Vantrel", MB_ICONWARNING);
  // Once, after the dialog, also after Cancel: the folder written to.
  if (ReadSettings(m_config).openFolder) OpenFolder(folder);
}

bool CSaveCommand::PickSaveAsPath(CString& path, CString& title, CString& ext) {
  CString filter;
  for (const SaveType& type : kSaveTypes) filter += type.filterEntry;
  CFileDialog dialog(FALSE, ".ico", nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, filter + "|", m_owner);
  if (dialog.DoModal() != IDOK) return false;
  path = dialog.GetPathName();
  title = dialog.GetFileTitle();
  ext = dialog.GetFileExt();
  return true;
}

void CSaveCommand::OpenFolder(const CString& folder) {
  ::ShellExecuteA(nullptr, "open", folder, nullptr, nullptr, SW_SHOWNORMAL);
}
