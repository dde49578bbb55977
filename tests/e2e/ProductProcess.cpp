#include "ProductProcess.h"

#include <fstream>

namespace {

constexpr DWORD kPollMilliseconds = 50;

struct WindowSearch {
  DWORD processId;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectMainWindow(HWND hwnd, LPARAM context) {
  auto* search = reinterpret_cast<WindowSearch*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(hwnd, &owner);
  if (owner == search->processId && IsWindowVisible(hwnd) && WindowText(hwnd) == "Vantrel") {
    search->found.push_back(hwnd);
  }
  return TRUE;
}

}  // namespace

ProductFolder::ProductFolder() {
  static int made = 0;
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  for (;;) {
    m_path = std::string(temp) + "vantrel-e2e-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++made);
    if (CreateDirectoryA(m_path.c_str(), nullptr) || GetLastError() != ERROR_ALREADY_EXISTS) break;
  }
}

ProductFolder::~ProductFolder() {
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA((m_path + "\\*").c_str(), &entry);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) DeleteFileA(File(entry.cFileName).c_str());
    } while (FindNextFileA(find, &entry));
    FindClose(find);
  }
  RemoveDirectoryA(m_path.c_str());
}

bool ProductFolder::CopyProduct(const std::string& fileName) const {
  return CopyFileA(BuiltProductPath().c_str(), File(fileName).c_str(), FALSE) != FALSE;
}

std::string BuiltProductPath() {
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string folder(self);
  folder.erase(folder.rfind('\\') + 1);
  char full[MAX_PATH] = {};
  GetFullPathNameA((folder + VANTREL_EXE_FROM_TESTS).c_str(), MAX_PATH, full, nullptr);
  return full;
}

std::string UniqueProductName(const char* tag) {
  return std::string("Vantrel") + tag + std::to_string(GetCurrentProcessId()) + ".exe";
}

ProductProcess::~ProductProcess() {
  if (!m_info.hProcess) return;
  if (IsRunning()) {
    TerminateProcess(m_info.hProcess, 1);
    WaitForSingleObject(m_info.hProcess, 5000);
  }
  CloseHandle(m_info.hThread);
  CloseHandle(m_info.hProcess);
}

bool ProductProcess::Start(const std::string& exePath) {
  if (m_info.hProcess) return false;
  std::string commandLine = "\"" + exePath + "\"";
  const std::string folder = exePath.substr(0, exePath.rfind('\\'));
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  return CreateProcessA(exePath.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                        &startup, &m_info) != FALSE;
}

bool ProductProcess::WaitForExit(DWORD milliseconds, DWORD* code) const {
  if (WaitForSingleObject(m_info.hProcess, milliseconds) != WAIT_OBJECT_0) return false;
  if (code) GetExitCodeProcess(m_info.hProcess, code);
  return true;
}

HWND ProductProcess::WaitForMainWindow(DWORD milliseconds) const {
  for (DWORD waited = 0; waited <= milliseconds; waited += kPollMilliseconds) {
    const std::vector<HWND> windows = MainWindowsOf(Id());
    if (!windows.empty()) return windows.front();
    if (!IsRunning()) return nullptr;
    Sleep(kPollMilliseconds);
  }
  return nullptr;
}

std::vector<HWND> MainWindowsOf(DWORD processId) {
  WindowSearch search{processId, {}};
  EnumWindows(CollectMainWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::vector<std::string> ReadLines(const std::string& path) {
  std::ifstream in(path);
  std::vector<std::string> lines;
  std::string line;
  while (std::getline(in, line)) {
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
    if (!line.empty()) lines.push_back(line);
  }
  return lines;
}

std::string WindowText(HWND hwnd) {
  char text[256] = {};
  GetWindowTextA(hwnd, text, sizeof text);
  return text;
}

std::string ClassName(HWND hwnd) {
  char name[64] = {};
  GetClassNameA(hwnd, name, sizeof name);
  return name;
}

LRESULT Ask(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutA(window, msg, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &result)) return -1;
  return static_cast<LRESULT>(result);
}

LRESULT AskControl(HWND dialog, int id, UINT msg, WPARAM wParam, LPARAM lParam) {
  return Ask(GetDlgItem(dialog, id), msg, wParam, lParam);
}
