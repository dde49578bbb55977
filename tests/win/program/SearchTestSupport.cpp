#include "SearchTestSupport.h"

#include <commctrl.h>


#include "support/IconBuilder.h"
#include "resources/resource.h"

namespace searchtest {

LRESULT InsertWatchingListCtrl::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == LVM_INSERTITEMA && onInsert) onInsert();
  return CListCtrl::WindowProc(msg, wParam, lParam);
}

SearchListHost::SearchListHost() {
  CreateEx(0, "STATIC", "Search host", WS_POPUP, CRect(0, 0, 420, 320), nullptr, 0);
  list.CreateEx(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_ICON | LVS_SINGLESEL, CRect(0, 0, 400, 300), this,
                1000);
  list.SetExtendedStyle(list.GetExtendedStyle() | LVS_EX_CHECKBOXES);
  large.Create(32, 32, ILC_COLOR8 | ILC_MASK, 8, 1024);
  small.Create(16, 16, ILC_COLOR8 | ILC_MASK, 8, 1024);
  list.SetImageList(&large, LVSIL_NORMAL);
  list.SetImageList(&small, LVSIL_SMALL);
}

void SearchListHost::Bind(CIconCollection& icons) {
  icons.SetImageLists(&large, &small);
  icons.SetListView(&list);
}

void WatchedSearchDlg::PostCancel() const {
  PostMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(m_cancelButton.m_hWnd));
}

void WatchedSearchDlg::PostEnter() const { m_currentFile.PostMessage(WM_KEYDOWN, VK_RETURN, 1); }

BOOL WatchedSearchDlg::OnInitDialog() {
  const BOOL result = CSearchProgressDlg::OnInitDialog();
  if (onStart) onStart(*this);
  return result;
}

LRESULT WatchedSearchDlg::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_SEARCH_COMPLETE) {
    ++completionMessages;
    fileLabelAtCompletion = FileLabel();
    iconLabelAtCompletion = IconLabel();
    if (onComplete && !onComplete(*this)) return 0;
  }
  return CSearchProgressDlg::WindowProc(msg, wParam, lParam);
}

BOOL WatchedSearchDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (LOWORD(wParam) == IDC_CURRENT_FILE && HIWORD(wParam) == EN_CHANGE && onCurrentFile) onCurrentFile(CurrentFile());
  return CSearchProgressDlg::OnCommand(wParam, lParam);
}

std::string WatchedSearchDlg::TextOf(const CWnd& control) {
  CString text;
  control.GetWindowText(text);
  return std::string(text);
}

std::vector<FolderEntry> ListFolder(const std::string& folder) {
  std::vector<FolderEntry> entries;
  WIN32_FIND_DATAA found;
  HANDLE find = FindFirstFileA((folder + "\\*.*").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return entries;
  do {
    const std::string name = found.cFileName;
    if (name == "." || name == "..") continue;
    entries.push_back({name, (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
  } while (FindNextFileA(find, &found));
  FindClose(find);
  return entries;
}

bool RunUnixCommand(const std::string& commandLine, const std::function<bool()>& until) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  std::string line = commandLine;
  if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return false;
  // Wine gives no waitable handle for a Unix process: its effect is awaited instead.
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  for (int attempt = 0; attempt < 250; ++attempt) {
    if (until()) return true;
    Sleep(20);
  }
  return until();
}

namespace {

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

}  // namespace

UnixSymlink::UnixSymlink(const std::string& target, const std::string& linkWindowsPath) {
  const std::string folder = linkWindowsPath.substr(0, linkWindowsPath.rfind('\\'));
  const std::string name = linkWindowsPath.substr(linkWindowsPath.rfind('\\') + 1);
  const std::string unixFolder = UnixPath(folder);
  if (unixFolder.empty()) return;
  m_link = unixFolder + "/" + name;
  m_made = RunUnixCommand("/bin/ln -s \"" + target + "\" \"" + m_link + "\"",
                          [&] { return Exists(linkWindowsPath); });
  if (!m_made) m_link.clear();
  m_windowsPath = linkWindowsPath;
}

UnixSymlink::~UnixSymlink() {
  if (m_link.empty()) return;
  const std::string windowsPath = m_windowsPath;
  RunUnixCommand("/bin/rm -f \"" + m_link + "\"", [&] { return !Exists(windowsPath); });
}

std::string MakeFolder(const std::string& root, const std::string& relative) {
  std::string path = root;
  size_t start = 0;
  while (start <= relative.size()) {
    const size_t end = relative.find('\\', start);
    path += "\\" + relative.substr(start, end == std::string::npos ? std::string::npos : end - start);
    CreateDirectoryA(path.c_str(), nullptr);
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return path;
}

std::string WriteIcoAt(const std::string& path, COLORREF colour) {
  WriteBytes(path, BuildSolidIcoFile({colour}));
  return path;
}

std::string WriteModuleAt(const std::string& path, int groups) {
  std::vector<GroupFixture> groupFixtures;
  for (int i = 1; i <= groups; ++i) groupFixtures.push_back({ResourceName::Id(static_cast<uint16_t>(i)), RGB(0, 0, 255)});
  WriteBytes(path, BuildModuleWithGroups(groupFixtures));
  return path;
}

std::string WriteTextAt(const std::string& path) {
  WriteBytes(path, {'n', 'o', ' ', 'i', 'c', 'o', 'n'});
  return path;
}

void SearchTest::SetUp() {
  AppTest::SetUp();
  TheApp().WriteDefaultSettings();
  host.Bind(Icons());
  tree = MakeFolder(folder.Path(), "tree");
}

INT_PTR SearchTest::Search(WatchedSearchDlg& dialog, const std::string& root) {
  lstrcpynA(dialog.m_folder, root.c_str(), MAX_PATH);
  dialog.m_checked = TRUE;
  return dialog.DoModal();
}

std::vector<std::string> SearchTest::LoadedPaths() {
  std::vector<std::string> paths;
  for (int i = 0; i < Icons().GetCount(); ++i) paths.push_back(Icons().GetSource(i)->m_path);
  return paths;
}

void SearchTest::ExpectCollectionHolds(int count) {
  EXPECT_EQ(Icons().GetCount(), count);
  EXPECT_EQ(host.list.GetItemCount(), count);
  EXPECT_EQ(host.large.GetImageCount(), count);
  EXPECT_EQ(host.small.GetImageCount(), count);
}

}  // namespace searchtest
