#include "framework/FileFind.h"

#include <cstring>

BOOL CFileFind::FindFile(LPCSTR pattern) {
  Close();
  if (!pattern) return FALSE;
  m_find = ::FindFirstFileA(pattern, &m_next);
  if (m_find == INVALID_HANDLE_VALUE) return FALSE;
  m_hasNext = true;
  const CString all(pattern);
  const int slash =
      all.ReverseFind('\\') > all.ReverseFind('/') ? all.ReverseFind('\\') : all.ReverseFind('/');
  m_folder = slash >= 0 ? all.Left(slash + 1) : (all.GetAt(1) == ':' ? all.Left(2) : CString());
  return TRUE;
}

BOOL CFileFind::FindNextFile() {
  if (!m_hasNext) return FALSE;
  m_current = m_next;
  m_hasNext = ::FindNextFileA(m_find, &m_next) != FALSE;
  return m_hasNext;
}

void CFileFind::Close() {
  if (m_find != INVALID_HANDLE_VALUE) ::FindClose(m_find);
  m_find = INVALID_HANDLE_VALUE;
  m_hasNext = false;
  m_current = WIN32_FIND_DATAA{};
  m_folder.Empty();
}

BOOL CFileFind::IsDots() const {
  return IsDirectory() &&
         (std::strcmp(m_current.cFileName, ".") == 0 || std::strcmp(m_current.cFileName, "..") == 0);
}

namespace {

// No file name holds '?': the conversion to the code page put it where a
// character did not fit.
bool DidNotFit(const char* name) { return std::strchr(name, '?') != nullptr; }

}  // namespace

LPCSTR CFileFind::ReachableName() const {
  if (DidNotFit(m_current.cFileName) && m_current.cAlternateFileName[0]) return m_current.cAlternateFileName;
  return m_current.cFileName;
}

BOOL CFileFind::IsNameUnreachable() const {
  return DidNotFit(m_current.cFileName) && !m_current.cAlternateFileName[0];
}
