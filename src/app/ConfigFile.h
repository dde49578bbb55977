#pragma once
// Settings in Config.ini, read and written straight through the system's
// private-profile functions each time: nothing is cached.

#include <windows.h>

#include "framework/String.h"

class CConfigFile {
 public:
  virtual ~CConfigFile() = default;

  void SetPath(const CString& path) { m_path = path; }
  const CString& GetPath() const { return m_path; }

  // A flag is the number its first three characters start; a missing key is false.
  BOOL GetBool(LPCSTR section, LPCSTR key) const;
  BOOL WriteBool(LPCSTR section, LPCSTR key, BOOL flag) const;
  // At most 31 characters are read; a missing or non-numeric value is 0.
  int GetInt(LPCSTR section, LPCSTR key) const;
  void WriteInt(LPCSTR section, LPCSTR key, int value) const;
  // At most 260 characters are read; a missing key is empty.
  CString GetString(LPCSTR section, LPCSTR key) const;
  BOOL WriteString(LPCSTR section, LPCSTR key, LPCSTR value) const;

 private:
  // An unbound wrapper must not fall back to the system's own profile files.
  bool IsBound() const { return !m_path.IsEmpty(); }
  CString m_path;
};
