#include "app/MainApp.h"

#include <cstring>

#include "app/PathHandOver.h"
#include "framework/FileFind.h"
#include "ui/MainDlg.h"

BOOL CMainApp::InitInstance() {
  const std::vector<std::string> paths = CommandLinePaths();
  // Named after the executable, so copies under other names may run together.
  // The handle stays open for the life of the process.
  CreateMutexA(nullptr, TRUE, GetAppName());
  if (GetLastError() == ERROR_ALREADY_EXISTS) {
    if (!paths.empty()) HandPathsOver(GetAppName(), paths);
    return FALSE;
  }

  m_config.SetPath(GetModuleFolder() + "\\Config.ini");
  CFileFind finder;
  if (!finder.FindFile(m_config.GetPath())) WriteDefaultSettings();
  finder.Close();

  CMainDlg mainWindow;
  mainWindow.QueuePaths(paths);
  m_pMainWnd = &mainWindow;
  mainWindow.DoModal();
  m_pMainWnd = nullptr;
  return FALSE;
}

void CMainApp::WriteDefaultSettings() {
  m_config.WriteString("Setting", "RestorePath", "C:\\IconLibrary");
  m_config.WriteInt("Setting", "View", 0);
  m_config.WriteBool("Setting", "SelectAll", TRUE);
  m_config.WriteBool("Setting", "Confirm", TRUE);
  m_config.WriteString("Setting", "DefaultType", "ico");
  m_config.WriteString("Setting", "TitlePrefix", "Untitled");
  m_config.WriteBool("Setting", "OpenDir", TRUE);
  for (const char* key : {"Exe", "Dll", "Ico", "Icl", "Cpl", "Ocx", "Scr"}) m_config.WriteBool("Filter", key, TRUE);
}

CString GetModuleFolder() {
  char path[MAX_PATH + 1] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  char* lastBackslash = std::strrchr(path, '\\');
  if (lastBackslash) *lastBackslash = '\0';
  return CString(path);
}

CMainApp& TheApp() { return static_cast<CMainApp&>(*AfxGetApp()); }
