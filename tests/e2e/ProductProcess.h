#pragma once
// The product as the user meets it: a copy of Vantrel.exe in a folder of its
// own, started as a separate process and driven only through its windows
// (window messages, real key events); results read from the screen and disk.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resources/resource.h"
#include "support/TempFolder.h"
#include "support/TestFiles.h"
#include "support/WinTestSupport.h"

constexpr DWORD kDialogTimeout = 10000;
constexpr int kFileNameBox = 0x47c;  // in the system's open and save dialogs

// One started copy; ended by the destructor, so a failing test leaves no window.
class ProductProcess {
 public:
  ProductProcess() = default;
  ~ProductProcess();
  ProductProcess(const ProductProcess&) = delete;
  ProductProcess& operator=(const ProductProcess&) = delete;

  // arguments: the command line after the program's quoted name, in UTF-8.
  bool Start(const std::string& exePath, const std::string& arguments = "");
  DWORD Id() const { return m_info.dwProcessId; }
  bool WaitForExit(DWORD milliseconds, DWORD* code = nullptr) const;

 private:
  PROCESS_INFORMATION m_info{};
};

std::vector<HWND> MainWindowsOf(DWORD processId);
// The process's main window once it shows, or null after `milliseconds`.
HWND WaitForMainWindow(DWORD processId, DWORD milliseconds);
// A visible dialog box of the process other than `mainWindow` with a child of
// the given id (0: any), or null after `milliseconds`.
HWND WaitForDialogOf(DWORD processId, HWND mainWindow, int childId, DWORD milliseconds);
// Selects the folder in the system's folder browser and waits until its tree
// shows it selected; false when it never does.
bool PickFolderInBrowser(HWND browser, const std::string& folder);

// A message that a hung product answers with -1 instead of hanging the test.
LRESULT Ask(HWND window, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
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
// False when the window or its menu did not come up in time.
bool ChooseMenuItem(HWND window, char menuKey, char itemKey);
// Presses Tab until the control has the focus; false when a round missed it.
bool TabTo(HWND dialog, int id);
// A real click of the left mouse button in the middle of the window.
void ClickWith(HWND control);
// The screen's pixels in the area, row by row, copied at once: each pixel
// read alone costs a round trip under Wine.
std::vector<COLORREF> ScreenPixels(const RECT& area);

// A value under HKEY_CURRENT_USER for programs started from now on; the old
// one comes back when the object goes, however the test ends.
class UserSetting {
 public:
  UserSetting(const wchar_t* key, const wchar_t* name, DWORD type, const void* data, DWORD size);
  ~UserSetting();
  UserSetting(const UserSetting&) = delete;
  UserSetting& operator=(const UserSetting&) = delete;
  bool set = false;

 private:
  std::wstring m_key, m_name;
  DWORD m_oldType = REG_NONE;
  std::vector<BYTE> m_old;
  bool m_hadOld = false;
};

// A copy of the product, started by Start(), with its main window.
class ProductTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void Start(const std::string& arguments = "");
  int ItemCount() const;
  bool MainWindowFree() const;
  HWND WaitForDialog(int childId, DWORD milliseconds = kDialogTimeout) const {
    return WaitForDialogOf(product.Id(), window, childId, milliseconds);
  }
  // Add File, the path typed into the system's open dialog; waits for that many icons.
  void AddFile(const std::string& path, int expectedItems);

  TempFolder folder;
  std::string exePath;
  ProductProcess product;
  HWND window = nullptr;
};
