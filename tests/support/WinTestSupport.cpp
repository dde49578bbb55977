#include "support/WinTestSupport.h"

#include <algorithm>

#include "formats/Utf8.h"
#include "support/IconBuilder.h"

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

std::wstring Wide(const std::string& utf8) {
  const std::u16string wide = Utf8ToUtf16(utf8).value_or(u"");
  return std::wstring(wide.begin(), wide.end());
}

std::string Utf8(const std::wstring& wide) { return Utf16ToUtf8(std::u16string(wide.begin(), wide.end())); }

std::wstring WideWindowText(HWND hwnd) {
  wchar_t text[1024] = {};
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(hwnd, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000, &copied);
  return text;
}

bool WriteBytesAt(const std::string& utf8Path, const std::vector<uint8_t>& bytes) {
  HANDLE file = CreateFileW(Wide(utf8Path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                  written == bytes.size();
  CloseHandle(file);
  return ok;
}

std::vector<uint8_t> ReadBytesAt(const std::string& utf8Path) {
  std::vector<uint8_t> bytes;
  HANDLE file = CreateFileW(Wide(utf8Path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return bytes;
  bytes.resize(GetFileSize(file, nullptr));
  DWORD read = 0;
  if (!ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) read = 0;
  bytes.resize(read);
  CloseHandle(file);
  return bytes;
}

bool MakeFolderAt(const std::string& utf8Path) { return CreateDirectoryW(Wide(utf8Path).c_str(), nullptr) != FALSE; }

std::vector<uint8_t> SolidIconBlock(COLORREF colour, int size) {
  std::vector<uint8_t> block = MakeDibBlock(size, size, 32);
  const size_t pixels = static_cast<size_t>(size) * static_cast<size_t>(size);
  for (size_t i = 0; i < pixels; ++i) {
    uint8_t* pixel = &block[40 + i * 4];
    pixel[0] = GetBValue(colour);
    pixel[1] = GetGValue(colour);
    pixel[2] = GetRValue(colour);
    pixel[3] = 0xFF;
  }
  // A mask that hides nothing.
  std::fill(block.begin() + static_cast<std::ptrdiff_t>(40 + pixels * 4), block.end(), 0);
  return block;
}
