#pragma once
// The system's open or save file dialog for one file.
//
// filter is "Name|*.a|Other|*.b;*.c||" (pairs of shown text and patterns,
// '|' separated). m_ofn may be adjusted (title, initial folder...) between
// construction and DoModal; the buffers it points to belong to this object.

#include <windows.h>
#include <commdlg.h>

#include <string>

#include "framework/String.h"

class CWnd;

class CFileDialog {
 public:
  // defaultExt is appended to a typed name without extension; a leading dot
  // is dropped. Without a parent the dialog belongs to AfxGetModalOwner().
  CFileDialog(BOOL openDialog, LPCSTR defaultExt = nullptr, LPCSTR fileName = nullptr,
              DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCSTR filter = nullptr,
              CWnd* parent = nullptr);
  CFileDialog(const CFileDialog&) = delete;
  CFileDialog& operator=(const CFileDialog&) = delete;

  // IDOK when a file was chosen, else IDCANCEL (also when the dialog fails).
  INT_PTR DoModal();

  // The chosen file: full path, name, name without extension, and the
  // extension without its dot (text after the last dot of the name).
  CString GetPathName() const { return m_path; }
  CString GetFileName() const;
  CString GetFileTitle() const;
  CString GetFileExt() const;

  OPENFILENAMEA m_ofn{};

 private:
  BOOL m_open;
  std::string m_filter;
  std::string m_defaultExt;
  char m_path[MAX_PATH * 2] = {};
};
