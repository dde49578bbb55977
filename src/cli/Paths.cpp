#include "cli/Paths.h"

#include "formats/Utf8.h"

#ifdef _WIN32

#include <windows.h>

std::string SystemWindowsFolder() {
  wchar_t folder[MAX_PATH];
  const UINT length = GetWindowsDirectoryW(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return std::string();
  return Utf16ToUtf8(std::u16string(folder, folder + length));
}

std::filesystem::path FsPath(const std::string& utf8) {
  // Every path here came from the wide command line or a wide folder listing,
  // so it is UTF-8 (an unpaired surrogate included).
  const std::u16string wide = Utf8ToUtf16(utf8).value_or(u"");
  return std::filesystem::path(std::wstring(wide.begin(), wide.end()));
}

std::string Utf8Path(const std::filesystem::path& path) {
  const std::wstring& wide = path.native();
  return Utf16ToUtf8(std::u16string(wide.begin(), wide.end()));
}

#else

std::string SystemWindowsFolder() { return std::string(); }

std::filesystem::path FsPath(const std::string& utf8) { return std::filesystem::path(utf8); }
std::string Utf8Path(const std::filesystem::path& path) { return path.native(); }

#endif
