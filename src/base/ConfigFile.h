#pragma once
// Settings in Config.ini, read and written straight through the system's
// private-profile functions each time. Only a value that could not be
// written is kept in memory, and read back from there, for the rest of the run.

#include <windows.h>

#include <map>
#include <string>

#include "framework/String.h"

class CConfigFile {
 public:
  virtual ~CConfigFile() = default;

  // Binding to a file drops what an earlier file could not store.
  void SetPath(const CString& path) {
    m_path = path;
    m_unstored.clear();
    m_writeFailure = 0;
  }
  const CString& GetPath() const { return m_path; }

  // A flag is the number its first three characters start; a missing key is false.
  BOOL GetBool(LPCSTR section, LPCSTR key) const;
  BOOL WriteBool(LPCSTR section, LPCSTR key, BOOL flag) const;
  // A missing or non-numeric value is 0.
  int GetInt(LPCSTR section, LPCSTR key) const;
  void WriteInt(LPCSTR section, LPCSTR key, int value) const;
  // The whole value; a missing key is empty.
  CString GetString(LPCSTR section, LPCSTR key) const;
  BOOL WriteString(LPCSTR section, LPCSTR key, LPCSTR value) const;

  // The system's error code of the first write that failed since the last
  // call (0 when all were stored); the call starts counting again.
  DWORD TakeWriteFailure() const;

 private:
  // An unbound wrapper must not fall back to the system's own profile files.
  bool IsBound() const { return !m_path.IsEmpty(); }
  std::string Read(LPCSTR section, LPCSTR key, LPCSTR missing) const;
  BOOL Write(LPCSTR section, LPCSTR key, LPCSTR value) const;

  CString m_path;
  // Written by the user-interface thread only, as all settings are.
  mutable std::map<std::string, std::string> m_unstored;
  mutable DWORD m_writeFailure = 0;
};

// After a dialog's writes: tells the user, owned by `owner`, when any could
// not be stored, naming the file and the reason.
void ReportUnstoredSettings(const CConfigFile& config, HWND owner);
