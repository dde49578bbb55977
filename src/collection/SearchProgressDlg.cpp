#include "collection/SearchProgressDlg.h"

#include <algorithm>

#include "collection/FilterSettings.h"
#include "framework/FileFind.h"
#include "framework/Handle.h"
#include "resources/resource.h"

namespace {

CKernelHandle OpenFolderForQuery(LPCSTR folder) {
  return CKernelHandle(::CreateFileA(folder, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                     OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
}

}  // namespace

CSearchProgressDlg::CSearchProgressDlg(CIconCollection& icons, const CConfigFile& config)
    : CWorkerProgressDlg(IDD_SEARCH_PROGRESS, WM_SEARCH_COMPLETE,
                         {IDC_CURRENT_FILE, IDC_FILE_COUNT_LABEL, IDC_FILE_COUNT, IDC_ICON_COUNT_LABEL, IDC_ICON_COUNT}),
      m_icons(icons),
      m_config(config) {}

void CSearchProgressDlg::DoDataExchange(CDataExchange* dx) {
  CDialog::DoDataExchange(dx);
  DDX_Control(dx, IDC_CURRENT_FILE, m_currentFile);
  DDX_Control(dx, IDC_ICON_COUNT, m_iconCount);
  DDX_Control(dx, IDC_FILE_COUNT, m_fileCountLabel);
  DDX_Control(dx, IDCANCEL, m_cancelButton);
}

BOOL CSearchProgressDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  ReadFilterSettings(m_config, m_icons);
  m_switches = m_icons.Switches();
  m_fileCountLabel.SetWindowText("0");
  m_iconCount.SetWindowText("0");
  m_icons.SetCountLabel(&m_iconCount);
  m_found.Reset();
  m_endedEarly = nullptr;
  m_visitedFolders.clear();
  m_unreachableNames = 0;
  m_foldersAbove.clear();
  StartWorker();
  return TRUE;
}

void CSearchProgressDlg::StopForWantOfMemory() {
  m_endedEarly = "memory ran out";
  // The way the Cancel button goes, from the worker too.
  PostMessage(WM_COMMAND, IDCANCEL);
}

void CSearchProgressDlg::ShowProgress() {
  SearchHandOver::Progress progress = m_found.Take();
  // After memory ran out nothing more is appended; what was listed stays.
  if (m_endedEarly) return;
  if (!progress.currentFile.empty()) {
    m_currentFile.SetWindowText(progress.currentFile.c_str());
    CString count;
    count.Format("%d", progress.filesBefore);
    m_fileCountLabel.SetWindowText(count);
  }
  if (!m_icons.AppendFound(progress.icons, m_checked)) StopForWantOfMemory();
}

void CSearchProgressDlg::OnWorkerEnded() {
  // What was found before a stop is kept like the rest.
  ShowProgress();
  if (m_icons.m_countLabel == &m_iconCount) m_icons.SetCountLabel(nullptr);
}

bool CSearchProgressDlg::Work() { return SearchFolder(m_folder); }

bool CSearchProgressDlg::SearchFolder(LPCSTR folder) {
  if (StopRequested() || m_endedEarly) return false;
  CString pattern(folder);
  if (pattern.GetAt(pattern.GetLength() - 1) != '\\') pattern += '\\';
  pattern += "*.*";
  // A pattern past MAX_PATH cannot be opened through the ANSI calls: such a
  // folder is skipped like any other that cannot be read.
  std::optional<FolderIdentity> identity;
  if (pattern.GetLength() >= MAX_PATH || !ShouldEnter(folder, identity)) return true;
  if (identity) m_foldersAbove.push_back(*identity);
  const bool completed = SearchEntries(pattern);
  if (identity) m_foldersAbove.pop_back();
  return completed;
}

bool CSearchProgressDlg::SearchEntries(const CString& pattern) {
  CFileFind find;
  BOOL more = find.FindFile(pattern);
  while (more) {
    if (StopRequested() || m_endedEarly) return false;
    more = find.FindNextFile();
    if (find.IsDots()) continue;
    if (find.IsNameUnreachable()) {
      ++m_unreachableNames;
      continue;
    }
    const CString path = find.GetFilePath();
    if (find.IsDirectory()) {
      // A stop inside is seen at this folder's next entry.
      SearchFolder(path);
      continue;
    }
    m_found.FileStarted(std::string(path));
    // A path the record cannot hold is counted but never cut into another file's path.
    if (path.GetLength() >= MAX_PATH) continue;
    const FileReading reading = ReadIconsOfFile(path, m_switches, &StopFlag(), [this](FoundIcon icon) {
      m_found.IconFound(std::move(icon), StopFlag());
    });
    if (reading.status == ReadStatus::OutOfMemory) {
      StopForWantOfMemory();
      return false;
    }
  }
  return true;
}

bool CSearchProgressDlg::ShouldEnter(LPCSTR folder, std::optional<FolderIdentity>& identity) {
  const CKernelHandle handle = OpenFolderForQuery(folder);
  BY_HANDLE_FILE_INFORMATION info = {};
  if (handle && ::GetFileInformationByHandle(handle.Get(), &info) && (info.nFileIndexHigh || info.nFileIndexLow)) {
    identity = FolderIdentity{info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
    if (info.dwVolumeSerialNumber != 0) return m_visitedFolders.insert(*identity).second;
    return std::find(m_foldersAbove.begin(), m_foldersAbove.end(), *identity) == m_foldersAbove.end();
  }
  // Without an identity a link cannot be told from the folder it leads to,
  // so only plain folders are entered.
  const DWORD attributes = ::GetFileAttributesA(folder);
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}
