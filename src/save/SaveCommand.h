#pragma once
// Save and Save As: the checks before anything is written, the progress
// dialog that writes the ticked icons, and what follows it.

#include "base/ConfigFile.h"
#include "collection/IconCollection.h"
#include "framework/ListCtrl.h"
#include "framework/String.h"
#include "framework/Wnd.h"

class CSaveCommand {
 public:
  // owner: the window that owns the messages; list: the main list, whose
  // ticked items are saved, and whose index is the collection's.
  CSaveCommand(CWnd* owner, CListCtrl* list, CIconCollection& icons, const CConfigFile& config);
  virtual ~CSaveCommand() = default;
  CSaveCommand(const CSaveCommand&) = delete;
  CSaveCommand& operator=(const CSaveCommand&) = delete;

  // Into the library folder ("RestorePath"), named after "TitlePrefix", typed by "DefaultType".
  void SaveToLibrary();
  // Into a folder, base name and type picked in the save-file dialog.
  void SaveAs();

 protected:
  // The save-file dialog; false when the user cancels it. ext is the text
  // after the last dot of the chosen name, title the name without it.
  virtual bool PickSaveAsPath(CString& path, CString& title, CString& ext);
  // Shows a folder in the shell.
  virtual void OpenFolder(const CString& folder);

 private:
  int CountTicked() const;
  // False, after saying why, when the names would leave the folder or not fit the path limit.
  bool NamesUsable(const CString& folder, const CString& baseName, const CString& type, int ticked) const;
  // The probe, the dialog and what follows it; the folder opened is the one written to.
  void SaveInto(const CString& folder, const CString& baseName, const CString& type, int ticked);
  void ShowMessage(LPCSTR text, LPCSTR caption, UINT type) const;

  CWnd* m_owner;
  CListCtrl* m_list;
  CIconCollection& m_icons;
  const CConfigFile& m_config;
};

extern const char kNoSelectedIcon[];
extern const char kCannotSaveHere[];
extern const char kOnlySaveTypes[];
extern const char kFolderTooLong[];
