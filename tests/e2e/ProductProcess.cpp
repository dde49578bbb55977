#include "ProductProcess.h"

#include <commctrl.h>

#include <algorithm>
#include <filesystem>

namespace {

struct WindowSearch {
  DWORD processId;
  std::function<bool(HWND)> wanted;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM context) {
  auto* search = reinterpret_cast<WindowSearch*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(hwnd, &owner);
  if (owner == search->processId && IsWindowVisible(hwnd) && search->wanted(hwnd)) search->found.push_back(hwnd);
  return TRUE;
}

// The visible windows of the process that are wanted: top-level ones, or the
// children of `parent`.
std::vector<HWND> WindowsOf(DWORD processId, std::function<bool(HWND)> wanted, HWND parent = nullptr) {
  WindowSearch search{processId, std::move(wanted), {}};
  if (parent) GetWindowThreadProcessId(parent, &search.processId);
  parent ? EnumChildWindows(parent, CollectWindow, reinterpret_cast<LPARAM>(&search))
         : EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::vector<HWND> ChildrenOfClass(HWND parent, const char* className) {
  return WindowsOf(0, [&](HWND child) { return lstrcmpiA(ClassName(child).c_str(), className) == 0; }, parent);
}

void SendKey(WORD virtualKey, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtualKey;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  SendInput(1, &input, sizeof input);
}

HWND FocusOf(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndFocus : nullptr;
}

// Memory in another process, for messages whose argument points to a record.
class RemoteMemory {
 public:
  RemoteMemory(HWND window, size_t size) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    m_process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    if (m_process) address = static_cast<char*>(VirtualAllocEx(m_process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
  }
  ~RemoteMemory() {
    if (address) VirtualFreeEx(m_process, address, 0, MEM_RELEASE);
    if (m_process) CloseHandle(m_process);
  }
  RemoteMemory(const RemoteMemory&) = delete;
  RemoteMemory& operator=(const RemoteMemory&) = delete;
  void Write(size_t at, const void* data, size_t size) const { WriteProcessMemory(m_process, address + at, data, size, nullptr); }
  void Read(size_t at, void* data, size_t size) const { ReadProcessMemory(m_process, address + at, data, size, nullptr); }

  char* address = nullptr;

 private:
  HANDLE m_process = nullptr;
};

}  // namespace

ProductProcess::~ProductProcess() {
  if (!m_info.hProcess) return;
  if (IsRunning()) {
    TerminateProcess(m_info.hProcess, 1);
    WaitForSingleObject(m_info.hProcess, 5000);
  }
  CloseHandle(m_info.hThread);
  CloseHandle(m_info.hProcess);
}

bool ProductProcess::Start(const std::string& exePath) {
  if (m_info.hProcess) return false;
  std::string commandLine = "\"" + exePath + "\"";
  const std::string folder = exePath.substr(0, exePath.rfind('\\'));
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  return CreateProcessA(exePath.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                        &startup, &m_info) != FALSE;
}

bool ProductProcess::WaitForExit(DWORD milliseconds, DWORD* code) const {
  if (WaitForSingleObject(m_info.hProcess, milliseconds) != WAIT_OBJECT_0) return false;
  if (code) GetExitCodeProcess(m_info.hProcess, code);
  return true;
}

HWND ProductProcess::WaitForMainWindow(DWORD milliseconds) const {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        const std::vector<HWND> windows = MainWindowsOf(Id());
        found = windows.empty() ? nullptr : windows.front();
        return found || !IsRunning();
      },
      milliseconds);
  return found;
}

std::vector<HWND> MainWindowsOf(DWORD processId) {
  return WindowsOf(processId, [](HWND hwnd) { return WindowText(hwnd) == "Vantrel"; });
}

HWND FindDialogOf(DWORD processId, HWND excluding, int childId, const char* childClass) {
  const std::vector<HWND> found = WindowsOf(processId, [&](HWND hwnd) {
    return hwnd != excluding && ClassName(hwnd) == "#32770" && (!childId || GetDlgItem(hwnd, childId)) &&
           (!childClass || !ChildrenOfClass(hwnd, childClass).empty());
  });
  return found.empty() ? nullptr : found.front();
}

HWND WaitForDialogOf(DWORD processId, HWND excluding, int childId, DWORD milliseconds, const char* childClass) {
  HWND found = nullptr;
  WaitUntil([&] { return (found = FindDialogOf(processId, excluding, childId, childClass)) != nullptr; },
            milliseconds);
  return found;
}

LRESULT Ask(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutA(window, msg, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &result)) return -1;
  return static_cast<LRESULT>(result);
}

LRESULT AskControl(HWND dialog, int id, UINT msg, WPARAM wParam, LPARAM lParam) {
  return Ask(GetDlgItem(dialog, id), msg, wParam, lParam);
}

std::string ControlText(HWND dialog, int id) {
  char text[512] = {};
  AskControl(dialog, id, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  return text;
}

std::string BoxText(HWND box) {
  std::string text;
  for (HWND child : ChildrenOfClass(box, "Static")) text += WindowText(child);
  return text;
}

void ClickButton(HWND window, int id) {
  PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(window, id)));
}

void TypeFileNameAndEnter(HWND dialog, const std::string& path) {
  HWND box = GetDlgItem(dialog, kFileNameBox);
  // The box is a combo box in some dialog versions: the keys go to its edit.
  HWND edit = FindWindowExA(box, nullptr, "Edit", nullptr);
  if (!edit) edit = box;
  Ask(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
  PostMessageA(edit, WM_KEYDOWN, VK_RETURN, 0x001C0001);
  PostMessageA(edit, WM_KEYUP, VK_RETURN, 0xC01C0001);
}

bool BringToFront(HWND window) {
  return WaitUntil(
      [&] {
        if (GetForegroundWindow() == window) return true;
        SetForegroundWindow(window);
        return false;
      },
      kDialogTimeout);
}

void PressKey(WORD virtualKey, bool ctrl, bool alt) {
  if (ctrl) SendKey(VK_CONTROL, false);
  if (alt) SendKey(VK_MENU, false);
  SendKey(virtualKey, false);
  SendKey(virtualKey, true);
  if (alt) SendKey(VK_MENU, true);
  if (ctrl) SendKey(VK_CONTROL, true);
  // Each key is handled before the next one is judged.
  Sleep(30);
}

void TypeText(const std::string& text) {
  for (const char c : text) {
    const SHORT key = VkKeyScanA(c);
    if (key != -1) PressKey(static_cast<WORD>(LOBYTE(key)), (HIBYTE(key) & 2) != 0, (HIBYTE(key) & 4) != 0);
  }
}

void ChooseMenuItem(HWND window, char menuKey, char itemKey) {
  BringToFront(window);
  PressKey(static_cast<WORD>(menuKey), false, true);
  PressKey(static_cast<WORD>(itemKey));
}

bool TabTo(HWND dialog, int id) {
  for (int tabs = 0; tabs < 40; ++tabs) {
    const HWND before = FocusOf(dialog);
    if (before && IsChild(dialog, before) && GetDlgCtrlID(before) == id) return true;
    PressKey(VK_TAB);
    WaitUntil([&] { return FocusOf(dialog) != before; }, 1000);
  }
  return false;
}

bool PickFolderInBrowser(HWND browser, const std::string& folder, std::string* error) {
  const std::vector<HWND> trees = ChildrenOfClass(browser, "SysTreeView32");
  const HWND tree = trees.empty() ? nullptr : trees.front();
  const RemoteMemory memory(browser, sizeof(TVITEMA) + MAX_PATH);
  if (!tree || !memory.address || folder.compare(0, 3, "C:\\") != 0) {
    *error = "no tree view, no memory in its process, or not on C: " + folder;
    return false;
  }
  const auto next = [&](WPARAM how, HTREEITEM item) {
    return reinterpret_cast<HTREEITEM>(Ask(tree, TVM_GETNEXTITEM, how, reinterpret_cast<LPARAM>(item)));
  };
  const auto text = [&](HTREEITEM item) {
    TVITEMA record{};
    record.mask = TVIF_TEXT;
    record.hItem = item;
    record.pszText = memory.address + sizeof(TVITEMA);
    record.cchTextMax = MAX_PATH;
    char read[MAX_PATH + 1] = {};
    memory.Write(sizeof(TVITEMA), read, 1);
    memory.Write(0, &record, sizeof record);
    if (Ask(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(memory.address)) > 0) memory.Read(sizeof(TVITEMA), read, MAX_PATH);
    return std::string(read);
  };
  std::vector<std::string> parts{"My Computer", "C:"};
  for (size_t start = 3, end; start < folder.size(); start = end + 1) {
    end = std::min(folder.find('\\', start), folder.size());
    if (end > start) parts.push_back(folder.substr(start, end - start));
  }
  HTREEITEM item = next(TVGN_ROOT, nullptr);
  for (const std::string& part : parts) {
    // Each part is expanded, as a click would, before its children are read.
    Ask(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
    std::string seen;
    HTREEITEM child = next(TVGN_CHILD, item);
    for (; child && child != reinterpret_cast<HTREEITEM>(-1); child = next(TVGN_NEXT, child)) {
      const std::string shown = text(child);
      // The drive shows as "C:" or with a label, as in "System (C:)".
      if (lstrcmpiA(shown.c_str(), part.c_str()) == 0 || (part == "C:" && shown.find("(C:)") != std::string::npos)) break;
      seen += "\"" + shown + "\" ";
    }
    if (!child || child == reinterpret_cast<HTREEITEM>(-1)) {
      *error = "no \"" + part + "\" in the tree; seen " + seen;
      return false;
    }
    item = child;
  }
  Ask(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
  Ask(tree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
  return true;
}

void WriteSettings(const std::string& iniPath, const std::string& library) {
  const char* ini = iniPath.c_str();
  const char* const settings[][2] = {{"RestorePath", library.c_str()}, {"View", "0"}, {"SelectAll", "1"},
                                     {"Confirm", "1"}, {"DefaultType", "ico"}, {"TitlePrefix", "Untitled"},
                                     {"OpenDir", "0"}};
  for (const auto& setting : settings) WritePrivateProfileStringA("Setting", setting[0], setting[1], ini);
  for (const char* key : {"Exe", "Dll", "Ico", "Icl", "Cpl", "Ocx", "Scr"}) WritePrivateProfileStringA("Filter", key, "1", ini);
}

void ProductTest::SetUp() {
  // A name nobody else runs the product under, so copies started by other
  // test runs on the machine never meet these ones.
  exePath = folder.File("VantrelE2e" + std::to_string(GetCurrentProcessId()) + ".exe");
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  const auto built = (std::filesystem::path(self).parent_path() / VANTREL_EXE_FROM_TESTS).lexically_normal().string();
  ASSERT_TRUE(CopyFileA(built.c_str(), exePath.c_str(), FALSE)) << "from " << built;
}

void ProductTest::Start() {
  ASSERT_TRUE(product.Start(exePath));
  window = product.WaitForMainWindow(20000);
  ASSERT_NE(window, nullptr) << "no main window";
}

int ProductTest::ItemCount() const { return static_cast<int>(AskControl(window, kIconList, LVM_GETITEMCOUNT)); }

bool ProductTest::MainWindowFree() const { return IsWindowEnabled(window) && !FindDialogOf(product.Id(), window, 0); }

void ProductTest::AddFile(const std::string& path, int expectedItems) {
  ClickButton(window, kAddFileButton);
  const HWND dialog = WaitForDialog(kFileNameBox);
  ASSERT_NE(dialog, nullptr) << "no open dialog";
  EXPECT_EQ(GetWindow(dialog, GW_OWNER), window);
  TypeFileNameAndEnter(dialog, path);
  ASSERT_TRUE(WaitUntil(
      [&] { return (expectedItems ? ItemCount() == expectedItems : ItemCount() > 0) && MainWindowFree(); },
      kDialogTimeout))
      << ItemCount() << " items";
}
