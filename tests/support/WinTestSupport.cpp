#include "support/WinTestSupport.h"

#include <algorithm>

namespace {

BOOL CALLBACK CollectDialogs(HWND hwnd, LPARAM context) {
  if (ClassName(hwnd) == "#32770") reinterpret_cast<std::vector<HWND>*>(context)->push_back(hwnd);
  return TRUE;
}

}  // namespace

std::string WindowText(HWND hwnd) {
  char text[512] = {};
  GetWindowTextA(hwnd, text, sizeof text);
  return text;
}

std::string ClassName(HWND hwnd) {
  char name[64] = {};
  GetClassNameA(hwnd, name, sizeof name);
  return name;
}

bool WaitUntil(const std::function<bool()>& condition, DWORD milliseconds) {
  constexpr DWORD kPoll = 20;
  for (DWORD waited = 0;; waited += kPoll) {
    if (condition()) return true;
    if (waited >= milliseconds) return false;
    Sleep(kPoll);
  }
}

std::vector<HWND> OtherDialogs(HWND self) {
  std::vector<HWND> dialogs;
  EnumThreadWindows(GetCurrentThreadId(), CollectDialogs, reinterpret_cast<LPARAM>(&dialogs));
  dialogs.erase(std::remove(dialogs.begin(), dialogs.end(), self), dialogs.end());
  return dialogs;
}

std::string UnixPath(const std::string& windowsPath) {
  using ToUnix = char*(CDECL*)(const wchar_t*);
  const FARPROC proc = GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name");
  if (!proc) return std::string();
  const std::wstring wide(windowsPath.begin(), windowsPath.end());
  char* unixPath = reinterpret_cast<ToUnix>(reinterpret_cast<void (*)()>(proc))(wide.c_str());
  if (!unixPath) return std::string();
  std::string result(unixPath);
  HeapFree(GetProcessHeap(), 0, unixPath);
  return result;
}
