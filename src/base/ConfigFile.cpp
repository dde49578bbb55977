#include "base/ConfigFile.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const char kMissingText[] = "Default";
// What the system reads in place of bytes that are not UTF-8: a value written
// by an older copy in the ANSI code page with letters beyond ASCII.
const char kUnreadable[] = "\xEF\xBF\xBD";
// The longest path the system knows; a longer value is no setting of ours.
constexpr DWORD kLongestValue = 32768 * 3;

std::string UnstoredKey(LPCSTR section, LPCSTR key) {
  std::string name = std::string(section) + '\n' + key;
  // Sections and keys are matched without regard to case.
  for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return name;
}

std::string SystemMessage(DWORD error) {
  char* text = nullptr;
  const DWORD length =
      ::FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string message = length > 0 && text ? std::string(text, length) : "system error " + std::to_string(error);
  if (text) ::LocalFree(text);
  while (!message.empty() && std::strchr("\r\n ", message.back())) message.pop_back();
  return message;
}

}  // namespace

std::string CConfigFile::Read(LPCSTR section, LPCSTR key, LPCSTR missing) const {
  const auto unstored = m_unstored.find(UnstoredKey(section, key));
  if (unstored != m_unstored.end()) return unstored->second;
  if (!IsBound()) return std::string();
  // Grown until the value fits: the system cuts what does not, silently.
  for (DWORD size = 512;; size *= 2) {
    std::string value(size, '\0');
    const DWORD length = GetPrivateProfileStringA(section, key, missing, &value[0], size, m_path);
    if (length + 1 < size) return value.substr(0, length);
    if (size > kLongestValue) return std::string();
  }
}

BOOL CConfigFile::Write(LPCSTR section, LPCSTR key, LPCSTR value) const {
  if (!IsBound()) return FALSE;
  if (WritePrivateProfileStringA(section, key, value, m_path)) {
    m_unstored.erase(UnstoredKey(section, key));
    return TRUE;
  }
  const DWORD error = GetLastError();
  m_unstored[UnstoredKey(section, key)] = value;
  if (m_writeFailure == 0) m_writeFailure = error != 0 ? error : ERROR_WRITE_FAULT;
  return FALSE;
}

DWORD CConfigFile::TakeWriteFailure() const {
  const DWORD failure = m_writeFailure;
  m_writeFailure = 0;
  return failure;
}

BOOL CConfigFile::GetBool(LPCSTR section, LPCSTR key) const {
  // Only the first three characters count.
  return std::atoi(Read(section, key, kMissingText).substr(0, 3).c_str()) != 0 ? TRUE : FALSE;
}

BOOL CConfigFile::WriteBool(LPCSTR section, LPCSTR key, BOOL flag) const { return Write(section, key, flag ? "1" : "0"); }

int CConfigFile::GetInt(LPCSTR section, LPCSTR key) const {
  return std::atoi(Read(section, key, kMissingText).substr(0, 31).c_str());
}

void CConfigFile::WriteInt(LPCSTR section, LPCSTR key, int value) const {
  char text[16];
  std::snprintf(text, sizeof text, "%d", value);
  Write(section, key, text);
}

CString CConfigFile::GetString(LPCSTR section, LPCSTR key) const {
  const std::string value = Read(section, key, "");
  // Taken as unset rather than as a garbled folder or prefix to write into.
  if (value.find(kUnreadable) != std::string::npos) return CString();
  return CString(value.c_str());
}

BOOL CConfigFile::WriteString(LPCSTR section, LPCSTR key, LPCSTR value) const { return Write(section, key, value); }

void ReportUnstoredSettings(const CConfigFile& config, HWND owner) {
  const DWORD failure = config.TakeWriteFailure();
  if (failure == 0) return;
  const std::string text = "The settings could not be stored in " + std::string(config.GetPath()) + ":\n" +
                           SystemMessage(failure) + "\n\nThey are used until Vantrel ends.";
  ::MessageBoxA(owner, text.c_str(), "Vantrel", MB_OK | MB_ICONWARNING);
}
