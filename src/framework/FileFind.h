#pragma once
// Directory enumeration. FindFile starts a search; each FindNextFile steps to
// the next entry and tells whether yet another one follows, so a walk is:
//
//   CFileFind find;
//   BOOL more = find.FindFile("C:\\Icons\\*.*");
//   while (more) { more = find.FindNextFile(); ... find.GetFilePath() ... }
//
// The search handle is closed by Close or the destructor.

#include <windows.h>

#include "framework/String.h"

class CFileFind {
 public:
  CFileFind() = default;
  CFileFind(const CFileFind&) = delete;
  CFileFind& operator=(const CFileFind&) = delete;
  ~CFileFind() { Close(); }

  // FALSE when nothing matches or the folder cannot be read.
  BOOL FindFile(LPCSTR pattern = "*.*");
  BOOL FindNextFile();
  void Close();

  // The entry that the last FindNextFile stepped to, by a name the ANSI calls
  // can open: where the code page cannot spell the long name (on a Windows
  // without the UTF-8 code page), its short name.
  CString GetFileName() const { return ReachableName(); }
  // The pattern's folder part (as given, up to its last separator) and the
  // entry's name: C:\*.* gives C:\name, with no doubled backslash.
  CString GetFilePath() const { return m_folder + ReachableName(); }
  // A name the code page cannot spell and that has no short name either: no
  // ANSI call can reach the entry.
  BOOL IsNameUnreachable() const;
  BOOL IsDirectory() const { return HasAttribute(FILE_ATTRIBUTE_DIRECTORY); }
  BOOL IsHidden() const { return HasAttribute(FILE_ATTRIBUTE_HIDDEN); }
  // "." and "..".
  BOOL IsDots() const;

 private:
  LPCSTR ReachableName() const;
  BOOL HasAttribute(DWORD attribute) const { return (m_current.dwFileAttributes & attribute) != 0; }

  HANDLE m_find = INVALID_HANDLE_VALUE;
  WIN32_FIND_DATAA m_current{};
  WIN32_FIND_DATAA m_next{};
  bool m_hasNext = false;
  CString m_folder;
};
