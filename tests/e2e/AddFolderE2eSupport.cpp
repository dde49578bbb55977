#include "AddFolderE2eSupport.h"

#include <commctrl.h>

#include <cstdlib>
#include <cstring>

#include "ProductProcess.h"
#include "SaveE2eSupport.h"

namespace {

constexpr int kCurrentFileBox = 1046;
constexpr int kFileCountLabel = 1044;
constexpr int kIconCountLabel = 1045;
constexpr int kTextRoom = MAX_PATH;

std::vector<std::string> SplitPath(const std::string& path) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (start < path.size()) {
    size_t end = path.find('\\', start);
    if (end == std::string::npos) end = path.size();
    if (end > start) parts.push_back(path.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

// Reads tree items through a record and a text buffer in the tree's own process.
class RemoteTreeReader {
 public:
  RemoteTreeReader(HWND tree, DWORD processId) : m_tree(tree), m_memory(processId, sizeof(TVITEMA) + kTextRoom) {}
  bool Valid() const { return m_memory.Valid(); }

  std::string Text(HTREEITEM item) const {
    TVITEMA record = {};
    record.mask = TVIF_TEXT;
    record.hItem = item;
    record.pszText = m_memory.Address() + sizeof(TVITEMA);
    record.cchTextMax = kTextRoom;
    const char nothing = '\0';
    m_memory.Write(sizeof(TVITEMA), &nothing, 1);
    m_memory.Write(0, &record, sizeof record);
    if (Ask(m_tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(m_memory.Address())) <= 0) return "";
    char text[kTextRoom + 1] = {};
    m_memory.Read(sizeof(TVITEMA), text, kTextRoom);
    return text;
  }

  std::vector<HTREEITEM> Children(HTREEITEM item) const {
    std::vector<HTREEITEM> children;
    auto child = reinterpret_cast<HTREEITEM>(Ask(m_tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item)));
    while (child && child != reinterpret_cast<HTREEITEM>(-1)) {
      children.push_back(child);
      child = reinterpret_cast<HTREEITEM>(Ask(m_tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(child)));
    }
    return children;
  }

  // The child of `item` whose text passes `matches`, after expanding `item`.
  template <class Match>
  HTREEITEM FindChild(HTREEITEM item, Match matches, std::string* seen) const {
    Ask(m_tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
    seen->clear();
    for (HTREEITEM child : Children(item)) {
      const std::string text = Text(child);
      if (matches(text)) return child;
      *seen += "\"" + text + "\" ";
    }
    return nullptr;
  }

 private:
  HWND m_tree;
  RemoteMemory m_memory;
};

BOOL CALLBACK FindTreeChild(HWND child, LPARAM context) {
  if (ClassName(child) != "SysTreeView32") return TRUE;
  *reinterpret_cast<HWND*>(context) = child;
  return FALSE;
}

HWND TreeOf(HWND dialog) {
  HWND tree = nullptr;
  EnumChildWindows(dialog, FindTreeChild, reinterpret_cast<LPARAM>(&tree));
  return tree;
}

struct BrowserSearch {
  DWORD processId;
  HWND found;
};

BOOL CALLBACK FindBrowser(HWND hwnd, LPARAM context) {
  auto* search = reinterpret_cast<BrowserSearch*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(hwnd, &owner);
  if (owner != search->processId || !IsWindowVisible(hwnd) || ClassName(hwnd) != "#32770" || !TreeOf(hwnd))
    return TRUE;
  search->found = hwnd;
  return FALSE;
}

BOOL CALLBACK CountName(HMODULE, LPCSTR, LPSTR, LONG_PTR context) {
  ++*reinterpret_cast<int*>(context);
  return TRUE;
}

}  // namespace

RemoteMemory::RemoteMemory(DWORD processId, size_t size)
    : m_process(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId)) {
  if (m_process) m_address = VirtualAllocEx(m_process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
}

RemoteMemory::~RemoteMemory() {
  if (m_address) VirtualFreeEx(m_process, m_address, 0, MEM_RELEASE);
  if (m_process) CloseHandle(m_process);
}

bool RemoteMemory::Write(size_t offset, const void* data, size_t size) const {
  SIZE_T done = 0;
  return WriteProcessMemory(m_process, Address() + offset, data, size, &done) && done == size;
}

bool RemoteMemory::Read(size_t offset, void* data, size_t size) const {
  SIZE_T done = 0;
  return ReadProcessMemory(m_process, Address() + offset, data, size, &done) && done == size;
}

bool PickFolderInBrowser(HWND browser, const std::string& folder, std::string* error) {
  const HWND tree = TreeOf(browser);
  DWORD processId = 0;
  GetWindowThreadProcessId(browser, &processId);
  const RemoteTreeReader reader(tree, processId);
  if (!tree || !reader.Valid()) {
    *error = "no tree view, or no memory in its process";
    return false;
  }
  const std::vector<std::string> parts = SplitPath(folder);
  if (parts.empty() || lstrcmpiA(parts[0].c_str(), "C:") != 0) {
    *error = "only folders on C: are picked: " + folder;
    return false;
  }
  std::string seen;
  auto item = reinterpret_cast<HTREEITEM>(Ask(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
  item = reader.FindChild(item, [](const std::string& text) { return text == "My Computer"; }, &seen);
  if (!item) {
    *error = "no \"My Computer\" under the tree's root; seen " + seen;
    return false;
  }
  // The drive shows as "C:" or with a label, as in "System (C:)".
  item = reader.FindChild(
      item, [](const std::string& text) { return text == "C:" || text.find("(C:)") != std::string::npos; }, &seen);
  for (size_t i = 1; item && i < parts.size(); ++i) {
    const std::string& part = parts[i];
    item = reader.FindChild(item, [&](const std::string& text) { return lstrcmpiA(text.c_str(), part.c_str()) == 0; },
                            &seen);
    if (!item) {
      *error = "no \"" + part + "\" in the tree; seen " + seen;
      return false;
    }
  }
  if (!item) {
    *error = "no drive C: under \"My Computer\"; seen " + seen;
    return false;
  }
  Ask(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
  Ask(tree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
  return true;
}

HWND WaitForFolderBrowser(DWORD processId, DWORD milliseconds) {
  BrowserSearch search{processId, nullptr};
  WaitUntil(
      [&] {
        EnumWindows(FindBrowser, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
      },
      milliseconds);
  return search.found;
}

void PressCtrlKey(HWND window, char key) {
  SetForegroundWindow(window);
  SetFocus(window);
  keybd_event(VK_CONTROL, 0x1D, 0, 0);
  keybd_event(static_cast<BYTE>(key), 0, 0, 0);
  keybd_event(static_cast<BYTE>(key), 0, KEYEVENTF_KEYUP, 0);
  keybd_event(VK_CONTROL, 0x1D, KEYEVENTF_KEYUP, 0);
}

SearchDialogRecord WatchSearchDialog(DWORD processId, DWORD milliseconds, int cancelAtIcons, DWORD* cancelledAt) {
  SearchDialogRecord record;
  const DWORD start = GetTickCount();
  HWND dialog = nullptr;
  while (!dialog && GetTickCount() - start < milliseconds) {
    dialog = FindDialogOf(processId, nullptr, kCurrentFileBox);
    if (!dialog) Sleep(5);
  }
  if (!dialog) return record;
  record.seen = true;
  const HWND fileLabel = GetDlgItem(dialog, kFileCountLabel);
  const HWND iconLabel = GetDlgItem(dialog, kIconCountLabel);
  const HWND currentFile = GetDlgItem(dialog, kCurrentFileBox);
  bool cancelled = false;
  // The labels' texts are those the system keeps for the windows: reading
  // them sends nothing to the product, which stays free to run.
  while (GetTickCount() - start < milliseconds) {
    if (!IsWindow(dialog) || !IsWindowVisible(dialog)) {
      record.closed = true;
      break;
    }
    const std::string files = WindowText(fileLabel);
    const std::string icons = WindowText(iconLabel);
    if (record.fileLabels.empty() || record.fileLabels.back() != files) record.fileLabels.push_back(files);
    if (record.iconLabels.empty() || record.iconLabels.back() != icons) record.iconLabels.push_back(icons);
    // An edit control keeps its text itself: it is asked, the system carries the answer over.
    char path[MAX_PATH + 1] = {};
    if (Ask(currentFile, WM_GETTEXT, sizeof path, reinterpret_cast<LPARAM>(path)) > 0) record.lastCurrentFile = path;
    if (cancelAtIcons > 0 && !cancelled && std::atoi(icons.c_str()) >= cancelAtIcons) {
      ClickButton(dialog, IDCANCEL);
      cancelled = true;
      if (cancelledAt) *cancelledAt = GetTickCount();
    }
    Sleep(1);
  }
  return record;
}

int SystemIconGroupCount(const std::string& modulePath) {
  const HMODULE module = LoadLibraryExA(modulePath.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (!module) return -1;
  int count = 0;
  EnumResourceNamesA(module, MAKEINTRESOURCEA(14), CountName, reinterpret_cast<LONG_PTR>(&count));
  FreeLibrary(module);
  return count;
}

std::string WineSystemModuleFolder() { return "Z:\\usr\\lib\\i386-linux-gnu\\wine\\i386-windows"; }

int ListItemCount(HWND mainWindow) { return static_cast<int>(AskControl(mainWindow, 1000, LVM_GETITEMCOUNT)); }

std::vector<std::string> EntriesOf(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA((folder + "\\*.*").c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    if (std::strcmp(entry.cFileName, ".") != 0 && std::strcmp(entry.cFileName, "..") != 0) names.push_back(entry.cFileName);
  } while (FindNextFileA(find, &entry));
  FindClose(find);
  return names;
}

bool WriteFileBytes(const std::string& path, const std::vector<char>& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == bytes.size();
}
