#pragma once
// CWinApp: the one application object. Construct exactly one (usually a
// global of a derived class); its constructor registers it for AfxGetApp and
// a second instance is not registered. WinMain (WinMain.cpp, linked only into
// the program) runs AfxWinInit, then InitInstance, then AfxWinTerm, and ends
// the process with 0: there is no application message loop, so
// InitInstance does all its work (typically a modal main dialog) itself.

#include <windows.h>

#include "framework/Object.h"
#include "framework/String.h"

class CWnd;

class CWinApp : public CObject {
 public:
  // Without a name the application is named after the executable's file
  // name without extension.
  explicit CWinApp(LPCSTR appName = nullptr);
  CWinApp(const CWinApp&) = delete;
  CWinApp& operator=(const CWinApp&) = delete;
  ~CWinApp() override;

  virtual BOOL InitInstance();
  LPCSTR GetAppName() const { return m_pszAppName; }

  CWnd* m_pMainWnd = nullptr;
  HINSTANCE m_hInstance;
  LPCSTR m_pszAppName;

 private:
  CString m_appName;
};

CWinApp* AfxGetApp();
// The module of the running executable (the test programs' too), where the
// dialog templates and other resources are looked up.
HINSTANCE AfxGetInstanceHandle();
// The window a new modal window should belong to: the main window's last
// active pop-up (the modal dialog on top, if one runs), or null without a
// main window. Owning a new window by a disabled main window instead would
// re-enable it, under a running dialog, when the new window closes.
HWND AfxGetModalOwner();
// MessageBoxA owned by AfxGetModalOwner, captioned with the application name.
int AfxMessageBox(LPCSTR text, UINT type = MB_OK);

// Process set-up for windows: common controls (list view, progress bar,
// tooltips, standard classes) and OLE for the shell dialogs. Run once on the
// user-interface thread before any window; test programs call them too.
// False when OLE could not be set up; AfxWinTerm then must not run.
bool AfxWinInit();
void AfxWinTerm();
