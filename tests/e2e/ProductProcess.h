#pragma once
// The product as the user meets it: a copy of Vantrel.exe in a folder of its
// own, started as a separate process, its windows found by title and process.

#include <windows.h>

#include <string>
#include <vector>

// A fresh folder under the system's temporary folder, removed afterwards.
class ProductFolder {
 public:
  ProductFolder();
  ~ProductFolder();
  ProductFolder(const ProductFolder&) = delete;
  ProductFolder& operator=(const ProductFolder&) = delete;

  std::string File(const std::string& name) const { return m_path + "\\" + name; }
  // Copies the built Vantrel.exe here under the given file name.
  bool CopyProduct(const std::string& fileName) const;

 private:
  std::string m_path;
};

// The built Vantrel.exe, found relative to this test program.
std::string BuiltProductPath();

// A file name nobody else runs the product under, so that copies started by
// other test runs on the machine never meet these ones.
std::string UniqueProductName(const char* tag);

// One started copy. The destructor ends it if it still runs, so a failing
// test never leaves a window behind.
class ProductProcess {
 public:
  ProductProcess() = default;
  ~ProductProcess();
  ProductProcess(const ProductProcess&) = delete;
  ProductProcess& operator=(const ProductProcess&) = delete;

  bool Start(const std::string& exePath);
  DWORD Id() const { return m_info.dwProcessId; }
  // True when the process ended within the time; its exit code in *code.
  bool WaitForExit(DWORD milliseconds, DWORD* code = nullptr) const;
  bool IsRunning() const { return WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT; }
  // The visible top-level window titled "Vantrel" of this process, waiting up
  // to the given time for it; null when none came.
  HWND WaitForMainWindow(DWORD milliseconds) const;

 private:
  PROCESS_INFORMATION m_info{};
};

// Every visible top-level window titled "Vantrel" of the given process.
std::vector<HWND> MainWindowsOf(DWORD processId);

// The text lines of a file, without line ends and blank lines.
std::vector<std::string> ReadLines(const std::string& path);
std::string WindowText(HWND hwnd);
// A message sent to a window of the product; a product that does not answer
// within five seconds gives -1 instead of hanging the test.
LRESULT Ask(HWND window, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
// Ask, addressed to a control of a dialog by its id.
LRESULT AskControl(HWND dialog, int id, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
std::string ClassName(HWND hwnd);
