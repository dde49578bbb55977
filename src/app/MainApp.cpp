#include "app/MainApp.h"

#include <cstring>
#include <string>

#include "app/PathHandOver.h"
#include "base/Settings.h"
#include "framework/FileFind.h"

BOOL CMainApp::InitInstance() {
  const std::vector<std::string> paths = CommandLinePaths();
  // Named after the executable, so copies under other names may run together.
  // The handle stays open for the life of the process.
  CreateMutexA(nullptr, TRUE, GetAppName());
  if (GetLastError() == ERROR_ALREADY_EXISTS) {
    if (!paths.empty() && !HandPathsOver(GetAppName(), paths)) {
      // Ending in silence would lose the paths without a word.
      std::string text = "Vantrel is already running but did not answer, so these were not opened:\n";
      for (const std::string& path : paths) text += "\n" + path;
      MessageBoxA(nullptr, text.c_str(), "Vantrel", MB_OK | MB_ICONWARNING);
    }
    return FALSE;
  }

  m_config.SetPath(GetModuleFolder() + "\\Config.ini");
  CFileFind finder;
  if (!finder.FindFile(m_config.GetPath())) {
    WriteDefaultSettings();
    ReportUnstoredSettings(m_config, nullptr);
  }
  finder.Close();

  RunMainWindow(paths);
  return FALSE;
}

void CMainApp::WriteDefaultSettings() { WriteSettings(m_config, DefaultSettings()); }

CString GetModuleFolder() {
  const CString path = ExecutablePath();
  const int lastBackslash = path.ReverseFind('\\');
  return lastBackslash >= 0 ? path.Left(lastBackslash) : path;
}

CMainApp& TheApp() { return static_cast<CMainApp&>(*AfxGetApp()); }
