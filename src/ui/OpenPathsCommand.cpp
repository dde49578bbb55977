// Paths given on the command line, at the start or by a later start: each
// file loaded as a drop loads it, each folder searched as Add Folder searches.
#include <windows.h>

#include "collection/FilterSettings.h"
#include "app/MainApp.h"
#include "app/PathHandOver.h"
#include "ui/MainDlg.h"

namespace {

// Posted by the main window to itself: open the queued paths if it is free.
const UINT WM_OPEN_QUEUED_PATHS = WM_APP + 1;

bool IsFolder(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

void CMainDlg::QueuePaths(const std::vector<std::string>& paths) {
  m_queuedPaths.insert(m_queuedPaths.end(), paths.begin(), paths.end());
  if (m_hWnd && !paths.empty()) PostMessage(WM_OPEN_QUEUED_PATHS);
}

bool CMainDlg::OnPathMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (msg) {
    case WM_INITDIALOG:
      MarkInstanceWindow(m_hWnd, AfxGetApp()->GetAppName());
      // Those of the command line, once the window shows.
      PostMessage(WM_OPEN_QUEUED_PATHS);
      return false;
    case WM_DESTROY:
      UnmarkInstanceWindow(m_hWnd, AfxGetApp()->GetAppName());
      return false;
    case WM_COPYDATA:
      // Only queued: it may come while a dialog, and maybe its worker, runs.
      if (lParam) QueuePaths(PathsHandedOver(*reinterpret_cast<const COPYDATASTRUCT*>(lParam)));
      result = TRUE;
      return true;
    case WM_ENABLE:
      // The dialog over the window has ended.
      if (wParam) PostMessage(WM_OPEN_QUEUED_PATHS);
      return false;
    case WM_OPEN_QUEUED_PATHS:
      OpenQueuedPaths();
      result = 0;
      return true;
  }
  return false;
}

void CMainDlg::OpenQueuedPaths() {
  // Any dialog keeps the window disabled until it ends, a path's own search
  // or message box too, and workers run only under such dialogs. Messages
  // served meanwhile find the paths taken care of by the loop below.
  if (m_openingPaths || m_queuedPaths.empty()) return;
  m_openingPaths = true;
  UpdateWindow();
  while (!m_queuedPaths.empty() && IsWindowEnabled()) {
    const std::string path = m_queuedPaths.front();
    m_queuedPaths.pop_front();
    if (IsFolder(path))
      SearchFolder(path.c_str());
    else
      AddFileAsDropped(path);
  }
  m_openingPaths = false;
}

void CMainDlg::AddFileAsDropped(const std::string& path) {
  CMainApp& app = TheApp();
  CIconCollection& icons = app.m_icons;
  ReadFilterSettings(app.m_config, icons);
  if (!icons.IsTypeSwitchedOn(LowercaseExtension(path.c_str()))) {
    MessageBoxA(m_hWnd, "Unsupported Type!Please check the file filter!", "Error", MB_ICONERROR | MB_OK);
    return;
  }
  LoadFileAndTell(path, SelectAllChecked());
}

void CMainDlg::AddDropped(const std::vector<std::string>& paths) {
  if (paths.size() == 1 && !IsFolder(paths.front())) return AddFileAsDropped(paths.front());
  CMainApp& app = TheApp();
  ReadFilterSettings(app.m_config, app.m_icons);
  // Named in the message: the first few, then how many more.
  constexpr size_t kNamed = 5;
  std::vector<std::string> problems;
  for (const std::string& path : paths) {
    if (IsFolder(path)) {
      SearchFolder(path.c_str());
      continue;
    }
    std::string problem = LoadFile(path, SelectAllChecked());
    if (!problem.empty()) problems.push_back(std::move(problem));
  }
  if (problems.empty()) return;
  std::string text;
  for (size_t i = 0; i < problems.size() && i < kNamed; ++i) text += (i ? "\n\n" : "") + problems[i];
  if (problems.size() > kNamed) text += "\n\nand " + std::to_string(problems.size() - kNamed) + " more files.";
  MessageBoxA(m_hWnd, text.c_str(), "Vantrel", MB_ICONWARNING | MB_OK);
}
