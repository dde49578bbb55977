#include "ProductProcess.h"

#include <commctrl.h>
#include <shlobj.h>

#include <filesystem>
#include <functional>

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

// The visible top-level windows of the process that are wanted.
std::vector<HWND> WindowsOf(DWORD processId, std::function<bool(HWND)> wanted) {
  WindowSearch search{processId, std::move(wanted), {}};
  EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
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

}  // namespace

ProductProcess::~ProductProcess() {
  if (!m_info.hProcess) return;
  // Fails harmlessly when the program has ended by itself.
  TerminateProcess(m_info.hProcess, 1);
  WaitForSingleObject(m_info.hProcess, 5000);
  CloseHandle(m_info.hThread);
  CloseHandle(m_info.hProcess);
}

bool ProductProcess::Start(const std::string& exePath, const std::string& arguments) {
  // UTF-8, so that a path may be named in any script.
  std::wstring commandLine = Wide("\"" + exePath + "\" " + arguments);
  const std::string folder = exePath.substr(0, exePath.rfind('\\'));
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  return CreateProcessW(Wide(exePath).c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        Wide(folder).c_str(), &startup, &m_info) != FALSE;
}

bool ProductProcess::WaitForExit(DWORD milliseconds, DWORD* code) const {
  if (WaitForSingleObject(m_info.hProcess, milliseconds) != WAIT_OBJECT_0) return false;
  if (code) GetExitCodeProcess(m_info.hProcess, code);
  return true;
}

std::vector<HWND> MainWindowsOf(DWORD processId) {
  return WindowsOf(processId, [](HWND hwnd) { return WindowText(hwnd) == "Vantrel"; });
}

HWND WaitForMainWindow(DWORD processId, DWORD milliseconds) {
  HWND window = nullptr;
  WaitUntil(
      [&] {
        const std::vector<HWND> windows = MainWindowsOf(processId);
        return (window = windows.empty() ? nullptr : windows.front()) != nullptr;
      },
      milliseconds);
  return window;
}

HWND WaitForDialogOf(DWORD processId, HWND mainWindow, int childId, DWORD milliseconds) {
  std::vector<HWND> found;
  WaitUntil(
      [&] {
        found = WindowsOf(processId, [&](HWND hwnd) {
          return hwnd != mainWindow && ClassName(hwnd) == "#32770" && (!childId || GetDlgItem(hwnd, childId));
        });
        return !found.empty();
      },
      milliseconds);
  return found.empty() ? nullptr : found.front();
}

// The path and the tree's answer live in the browser's process, so they go
// through memory taken there.
bool PickFolderInBrowser(HWND browser, const std::string& folder) {
  DWORD processId = 0;
  GetWindowThreadProcessId(browser, &processId);
  const HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
  const size_t size = sizeof(TVITEMA) + MAX_PATH;
  auto* remote =
      process ? static_cast<char*>(VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE)) : nullptr;
  const HWND tree = FindWindowExA(browser, nullptr, WC_TREEVIEWA, nullptr);
  const std::string name = folder.substr(folder.rfind('\\') + 1);
  const auto selected = [&] {
    WriteProcessMemory(process, remote, folder.c_str(), folder.size() + 1, nullptr);
    Ask(browser, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(remote));
    TVITEMA item{};
    item.mask = TVIF_TEXT;
    item.hItem = reinterpret_cast<HTREEITEM>(Ask(tree, TVM_GETNEXTITEM, TVGN_CARET));
    item.pszText = remote + sizeof item;
    item.cchTextMax = MAX_PATH;
    char shown[MAX_PATH + 1] = {};
    WriteProcessMemory(process, remote, &item, sizeof item, nullptr);
    if (Ask(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(remote)) > 0)
      ReadProcessMemory(process, item.pszText, shown, MAX_PATH, nullptr);
    return lstrcmpiA(shown, name.c_str()) == 0;
  };
  const bool picked = remote && tree && WaitUntil(selected, kDialogTimeout);
  if (remote) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  if (process) CloseHandle(process);
  return picked;
}

LRESULT Ask(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutA(window, msg, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &result)) return -1;
  return static_cast<LRESULT>(result);
}

std::string ControlText(HWND dialog, int id) {
  char text[512] = {};
  Ask(GetDlgItem(dialog, id), WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  return text;
}

std::string BoxText(HWND box) {
  std::string text;
  for (HWND child = FindWindowExA(box, nullptr, "Static", nullptr); child;
       child = FindWindowExA(box, child, "Static", nullptr))
    text += WindowText(child);
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

namespace {

bool PopupMenuShown() {
  const HWND menu = FindWindowA("#32768", nullptr);
  return menu && IsWindowVisible(menu);
}

}  // namespace

// Under load a key pressed before its menu exists goes nowhere: each key
// waits for what it needs.
bool ChooseMenuItem(HWND window, char menuKey, char itemKey) {
  if (!BringToFront(window)) return false;
  PressKey(static_cast<WORD>(menuKey), false, true);
  if (!WaitUntil(PopupMenuShown, kDialogTimeout)) return false;
  PressKey(static_cast<WORD>(itemKey));
  return WaitUntil([] { return !PopupMenuShown(); }, kDialogTimeout);
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

void ClickWith(HWND control) {
  RECT area{};
  GetWindowRect(control, &area);
  SetCursorPos((area.left + area.right) / 2, (area.top + area.bottom) / 2);
  INPUT click[2] = {};
  click[0].type = click[1].type = INPUT_MOUSE;
  click[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  click[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, click, sizeof(INPUT));
}

std::vector<COLORREF> ScreenPixels(const RECT& area) {
  const LONG width = area.right - area.left, height = area.bottom - area.top;
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HDC screen = GetDC(nullptr), copy = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(copy, bitmap);
  BitBlt(copy, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
  std::vector<COLORREF> pixels;
  const auto* p = static_cast<const uint8_t*>(bits);
  for (LONG i = 0; bits && i < width * height; ++i, p += 4) pixels.push_back(RGB(p[2], p[1], p[0]));
  SelectObject(copy, old);
  DeleteObject(bitmap);
  DeleteDC(copy);
  ReleaseDC(nullptr, screen);
  return pixels;
}

UserSetting::UserSetting(const wchar_t* key, const wchar_t* name, DWORD type, const void* data, DWORD size)
    : m_key(key), m_name(name) {
  DWORD oldSize = 0;
  m_hadOld = !RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_ANY | RRF_NOEXPAND, nullptr, nullptr, &oldSize);
  m_old.resize(oldSize);
  m_hadOld = m_hadOld && !RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_ANY | RRF_NOEXPAND, &m_oldType,
                                       m_old.data(), &oldSize);
  set = !RegSetKeyValueW(HKEY_CURRENT_USER, key, name, type, data, size);
}

UserSetting::~UserSetting() {
  if (m_hadOld)
    RegSetKeyValueW(HKEY_CURRENT_USER, m_key.c_str(), m_name.c_str(), m_oldType, m_old.data(),
                    static_cast<DWORD>(m_old.size()));
  else
    RegDeleteKeyValueW(HKEY_CURRENT_USER, m_key.c_str(), m_name.c_str());
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

void ProductTest::Start(const std::string& arguments) {
  ASSERT_TRUE(product.Start(exePath, arguments));
  ASSERT_TRUE((window = WaitForMainWindow(product.Id(), 20000)) != nullptr) << "no main window";
}

int ProductTest::ItemCount() const {
  return static_cast<int>(Ask(GetDlgItem(window, IDC_ICON_LIST), LVM_GETITEMCOUNT));
}

bool ProductTest::MainWindowFree() const { return IsWindowEnabled(window) && !WaitForDialog(0, 0); }

void ProductTest::AddFile(const std::string& path, int expectedItems) {
  ClickButton(window, IDC_ADD_FILE);
  const HWND dialog = WaitForDialog(kFileNameBox);
  ASSERT_NE(dialog, nullptr) << "no open dialog";
  EXPECT_EQ(GetWindow(dialog, GW_OWNER), window);
  TypeFileNameAndEnter(dialog, path);
  ASSERT_TRUE(WaitUntil([&] { return ItemCount() == expectedItems && MainWindowFree(); }, kDialogTimeout))
      << ItemCount() << " items";
}
