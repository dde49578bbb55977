#pragma once
// The product as the user meets it: a copy of Vantrel.exe in a folder of its
// own, started as a separate process and driven only through its windows
// (window messages, real key events); results read from the screen and disk.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "support/TempFolder.h"
#include "support/TestFiles.h"
#include "support/WinTestSupport.h"

constexpr DWORD kDialogTimeout = 10000;
constexpr int kIconList = 1000;
constexpr int kAddFileButton = 1013;
constexpr int kAddFolderButton = 1014;
constexpr int kSaveButton = 1015;
constexpr int kSaveAsButton = 1016;
constexpr int kClearAllButton = 1017;
constexpr int kSelectAllBox = 1026;
constexpr int kDontAskBox = 1036;
constexpr int kFileNameBox = 0x47c;  // in the system's open and save dialogs


// One started copy; ended by the destructor, so a failing test leaves no window.
class ProductProcess {
 public:
  ProductProcess() = default;
  ~ProductProcess();
  ProductProcess(const ProductProcess&) = delete;
  ProductProcess& operator=(const ProductProcess&) = delete;

  bool Start(const std::string& exePath);
  DWORD Id() const { return m_info.dwProcessId; }
  bool WaitForExit(DWORD milliseconds, DWORD* code = nullptr) const;
  bool IsRunning() const { return WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT; }
  HWND WaitForMainWindow(DWORD milliseconds) const;

 private:
  PROCESS_INFORMATION m_info{};
};

std::vector<HWND> MainWindowsOf(DWORD processId);
// A visible dialog box of the process other than `excluding` with a child of
// the given id (0: any) or of the given class, or null.
HWND FindDialogOf(DWORD processId, HWND excluding, int childId, const char* childClass = nullptr);
HWND WaitForDialogOf(DWORD processId, HWND excluding, int childId, DWORD milliseconds = kDialogTimeout,
                     const char* childClass = nullptr);

// A message that a hung product answers with -1 instead of hanging the test.
LRESULT Ask(HWND window, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
LRESULT AskControl(HWND dialog, int id, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
// Asked, not read from the system: an edit box keeps its own text.
std::string ControlText(HWND dialog, int id);
// The text of a message box: its static controls, one after the other.
std::string BoxText(HWND box);

void ClickButton(HWND window, int id);
// Types a path into a system file dialog's file-name box and presses Enter.
void TypeFileNameAndEnter(HWND dialog, const std::string& path);
bool BringToFront(HWND window);
// Real key events through the system's input queue, to the window in front.
void PressKey(WORD virtualKey, bool ctrl = false, bool alt = false);
void TypeText(const std::string& text);
void ChooseMenuItem(HWND window, char menuKey, char itemKey);
// Presses Tab until the control has the focus; false when a round missed it.
bool TabTo(HWND dialog, int id);
// Picks `folder` (on C:) in a folder browser of another process, from
// "My Computer" down, each part expanded in turn and the last selected.
bool PickFolderInBrowser(HWND browser, const std::string& folder, std::string* error);

// All fourteen settings: the defaults, but the library folder given and
// OpenDir off (on, the shell would open a folder window).
void WriteSettings(const std::string& iniPath, const std::string& library);
// A copy of the product, started by Start(), with its main window.
class ProductTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void Start();
  int ItemCount() const;
  bool MainWindowFree() const;
  HWND WaitForDialog(int childId, DWORD milliseconds = kDialogTimeout) const {
    return WaitForDialogOf(product.Id(), window, childId, milliseconds);
  }
  // Add File, the path typed into the system's open dialog; waits for that
  // many icons (0: for any).
  void AddFile(const std::string& path, int expectedItems = 0);

  TempFolder folder;
  std::string exePath;
  ProductProcess product;
  HWND window = nullptr;
};
