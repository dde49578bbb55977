#include "framework/WinApp.h"

#include <commctrl.h>
#include <ole2.h>

#include <cstring>

#include "framework/Wnd.h"

namespace {

// The one piece of process-wide state the framework keeps, as AfxGetApp
// needs it; set and cleared only by the application object itself.
CWinApp* g_app = nullptr;

CString NameFromExecutable() {
  const CString path = ExecutablePath();
  const char* file = path;
  for (const char* p = path; *p; ++p)
    if (*p == '\\' || *p == '/' || *p == ':') file = p + 1;
  CString name = file;
  const int dot = name.ReverseFind('.');
  return dot >= 0 ? name.Left(dot) : name;
}

}  // namespace

CWinApp::CWinApp(LPCSTR appName)
    : m_hInstance(::GetModuleHandleA(nullptr)), m_appName(appName ? CString(appName) : NameFromExecutable()) {
  m_pszAppName = m_appName;
  if (!g_app) g_app = this;
}

CWinApp::~CWinApp() {
  if (g_app == this) g_app = nullptr;
}

BOOL CWinApp::InitInstance() { return FALSE; }

CWinApp* AfxGetApp() { return g_app; }

HINSTANCE AfxGetInstanceHandle() { return ::GetModuleHandleA(nullptr); }

HWND AfxGetModalOwner() {
  HWND main = g_app && g_app->m_pMainWnd ? g_app->m_pMainWnd->m_hWnd : nullptr;
  if (!main || !::IsWindow(main)) return nullptr;
  HWND popup = ::GetLastActivePopup(main);
  return popup && ::IsWindowVisible(popup) ? popup : main;
}

int AfxMessageBox(LPCSTR text, UINT type) {
  return ::MessageBoxA(AfxGetModalOwner(), text, g_app ? g_app->GetAppName() : "", type);
}

bool AfxWinInit() {
  INITCOMMONCONTROLSEX controls{
      sizeof(controls), ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&controls);
  return SUCCEEDED(::OleInitialize(nullptr));
}

void AfxWinTerm() { ::OleUninitialize(); }
