#include "framework/FileDialog.h"

#include "framework/WinApp.h"
#include "framework/Wnd.h"

CFileDialog::CFileDialog(BOOL openDialog, LPCSTR defaultExt, LPCSTR fileName, DWORD flags, LPCSTR filter,
                         CWnd* parent)
    : m_open(openDialog) {
  if (defaultExt) m_defaultExt = defaultExt[0] == '.' ? defaultExt + 1 : defaultExt;
  if (filter) {
    m_filter = filter;
    for (char& c : m_filter)
      if (c == '|') c = '\0';
    // The list ends with two NULs even when the text lacks its final "||".
    m_filter.append(2, '\0');
  }
  if (fileName) lstrcpynA(m_path, fileName, sizeof(m_path));
  m_ofn.lStructSize = sizeof(m_ofn);
  m_ofn.hwndOwner = parent ? parent->m_hWnd : nullptr;
  m_ofn.Flags = flags | OFN_EXPLORER;
}

INT_PTR CFileDialog::DoModal() {
  m_ofn.hInstance = AfxGetInstanceHandle();
  if (!m_ofn.hwndOwner) m_ofn.hwndOwner = AfxGetModalOwner();
  m_ofn.lpstrFilter = m_filter.empty() ? nullptr : m_filter.c_str();
  m_ofn.lpstrDefExt = m_defaultExt.empty() ? nullptr : m_defaultExt.c_str();
  m_ofn.lpstrFile = m_path;
  m_ofn.nMaxFile = sizeof(m_path);
  const BOOL chosen = m_open ? ::GetOpenFileNameA(&m_ofn) : ::GetSaveFileNameA(&m_ofn);
  return chosen ? IDOK : IDCANCEL;
}

CString CFileDialog::GetFileName() const {
  const CString path(m_path);
  const int slash =
      path.ReverseFind('\\') > path.ReverseFind('/') ? path.ReverseFind('\\') : path.ReverseFind('/');
  return path.Mid(slash + 1);
}

CString CFileDialog::GetFileTitle() const {
  const CString name = GetFileName();
  const int dot = name.ReverseFind('.');
  return dot >= 0 ? name.Left(dot) : name;
}

CString CFileDialog::GetFileExt() const {
  const CString name = GetFileName();
  const int dot = name.ReverseFind('.');
  return dot >= 0 ? name.Mid(dot + 1) : CString();
}
