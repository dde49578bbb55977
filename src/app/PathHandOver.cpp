#include "app/PathHandOver.h"

#include <cstdlib>

namespace {

// Tells a hand-over apart from any other WM_COPYDATA a window may be sent.
const ULONG_PTR kHandOverTag = 0x56504154;  // "VPAT"
// A command line holds at most 32767 characters; anything larger is not ours.
const DWORD kMaxHandOverBytes = 65536;
const DWORD kFindWindowMilliseconds = 5000;
// The running copy takes the paths when its thread next waits for messages,
// which a long file read may hold up.
const UINT kSendMilliseconds = 30000;

std::string PropertyName(LPCSTR appName) { return std::string("VantrelInstance ") + appName; }

struct WindowSearch {
  std::string property;
  HWND found = nullptr;
};

BOOL CALLBACK FindMarked(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<WindowSearch*>(context);
  if (!GetPropA(window, search->property.c_str())) return TRUE;
  search->found = window;
  return FALSE;
}

HWND FindInstanceWindow(LPCSTR appName) {
  WindowSearch search{PropertyName(appName)};
  const DWORD start = GetTickCount();
  while (EnumWindows(FindMarked, reinterpret_cast<LPARAM>(&search)) && GetTickCount() - start < kFindWindowMilliseconds)
    Sleep(100);
  return search.found;
}

}  // namespace

std::vector<std::string> CommandLinePaths() { return std::vector<std::string>(__argv + (__argc > 0), __argv + __argc); }

void MarkInstanceWindow(HWND window, LPCSTR appName) {
  SetPropA(window, PropertyName(appName).c_str(), reinterpret_cast<HANDLE>(1));
}

void UnmarkInstanceWindow(HWND window, LPCSTR appName) { RemovePropA(window, PropertyName(appName).c_str()); }

bool HandPathsOver(LPCSTR appName, const std::vector<std::string>& paths) {
  const HWND window = FindInstanceWindow(appName);
  if (!window) return false;
  std::string payload;
  for (const std::string& path : paths) payload.append(path).push_back('\0');
  if (payload.size() > kMaxHandOverBytes) return false;
  COPYDATASTRUCT data{kHandOverTag, static_cast<DWORD>(payload.size()), &payload[0]};
  DWORD_PTR taken = 0;
  return SendMessageTimeoutA(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_NORMAL, kSendMilliseconds,
                             &taken) &&
         taken;
}

std::vector<std::string> PathsHandedOver(const COPYDATASTRUCT& data) {
  std::vector<std::string> paths;
  if (data.dwData != kHandOverTag || !data.lpData || data.cbData > kMaxHandOverBytes) return paths;
  // Any other process may send this: only the bytes it says it sent are read.
  const std::string payload(static_cast<const char*>(data.lpData), data.cbData);
  for (size_t start = 0; start < payload.size();) {
    size_t end = payload.find('\0', start);
    if (end == std::string::npos) end = payload.size();
    if (end > start) paths.push_back(payload.substr(start, end - start));
    start = end + 1;
  }
  return paths;
}
