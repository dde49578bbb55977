#include "app/ConfigFile.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const char kMissingText[] = "Default";
// What the system reads in place of bytes that are not UTF-8: a value written
// by an older copy in the ANSI code page with letters beyond ASCII.
const char kUnreadable[] = "\xEF\xBF\xBD";

}  // namespace

BOOL CConfigFile::GetBool(LPCSTR section, LPCSTR key) const {
  char value[4] = {};
  if (IsBound()) GetPrivateProfileStringA(section, key, kMissingText, value, sizeof value, m_path);
  return std::atoi(value) != 0 ? TRUE : FALSE;
}

BOOL CConfigFile::WriteBool(LPCSTR section, LPCSTR key, BOOL flag) const {
  if (!IsBound()) return FALSE;
  return WritePrivateProfileStringA(section, key, flag ? "1" : "0", m_path);
}

int CConfigFile::GetInt(LPCSTR section, LPCSTR key) const {
  char value[32] = {};
  if (IsBound()) GetPrivateProfileStringA(section, key, kMissingText, value, sizeof value, m_path);
  return std::atoi(value);
}

void CConfigFile::WriteInt(LPCSTR section, LPCSTR key, int value) const {
  if (!IsBound()) return;
  char text[16];
  std::snprintf(text, sizeof text, "%d", value);
  WritePrivateProfileStringA(section, key, text, m_path);
}

CString CConfigFile::GetString(LPCSTR section, LPCSTR key) const {
  char value[MAX_PATH + 1] = {};
  if (IsBound()) GetPrivateProfileStringA(section, key, "", value, sizeof value, m_path);
  // Taken as unset rather than as a garbled folder or prefix to write into.
  if (std::strstr(value, kUnreadable)) return CString();
  return CString(value);
}

BOOL CConfigFile::WriteString(LPCSTR section, LPCSTR key, LPCSTR value) const {
  if (!IsBound()) return FALSE;
  return WritePrivateProfileStringA(section, key, value, m_path);
}
