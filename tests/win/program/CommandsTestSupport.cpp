#include "CommandsTestSupport.h"

#include <commctrl.h>
#include <shlobj.h>
#include <tlhelp32.h>

#include <cstring>

namespace {

std::string ClassOf(HWND hwnd) {
  char name[64] = {};
  GetClassNameA(hwnd, name, sizeof name);
  return name;
}

bool IsDialogBox(HWND hwnd) { return ClassOf(hwnd) == "#32770"; }

// Hidden ones count too: a dialog being set up is not yet shown, and may
// already serve the messages of its owner.
BOOL CALLBACK FindOtherDialog(HWND hwnd, LPARAM context) {
  auto* probe = reinterpret_cast<HWND*>(context);
  if (hwnd == *probe || !IsDialogBox(hwnd)) return TRUE;
  *probe = nullptr;
  return FALSE;
}

BOOL CALLBACK CollectDialogs(HWND hwnd, LPARAM context) {
  if (IsDialogBox(hwnd)) reinterpret_cast<std::vector<HWND>*>(context)->push_back(hwnd);
  return TRUE;
}

// The text the system keeps for a window, read without sending a message:
// the window's thread may be busy waiting for us.
std::string StoredText(HWND hwnd) {
  wchar_t wide[1024] = {};
  InternalGetWindowText(hwnd, wide, 1024);
  std::string text;
  for (const wchar_t* c = wide; *c; ++c) text += static_cast<char>(*c);
  return text;
}

struct Search {
  const std::string* caption;
  HWND excluding;
  HWND owner;
  HWND found;
};

BOOL CALLBACK FindDialog(HWND hwnd, LPARAM context) {
  auto* search = reinterpret_cast<Search*>(context);
  DWORD process = 0;
  GetWindowThreadProcessId(hwnd, &process);
  if (process != GetCurrentProcessId() || hwnd == search->excluding || !IsWindowVisible(hwnd) || !IsDialogBox(hwnd))
    return TRUE;
  if (!search->caption->empty() && *search->caption != StoredText(hwnd)) return TRUE;
  if (search->owner && GetWindow(hwnd, GW_OWNER) != search->owner) return TRUE;
  search->found = hwnd;
  return FALSE;
}

BOOL CALLBACK CollectChildren(HWND hwnd, LPARAM context) {
  auto* seen = reinterpret_cast<SeenDialog*>(context);
  const std::string name = ClassOf(hwnd);
  if (lstrcmpiA(name.c_str(), "Static") == 0) seen->text += StoredText(hwnd);
  if (lstrcmpiA(name.c_str(), "Button") == 0 && IsWindowVisible(hwnd)) seen->visibleButtons.push_back(GetDlgCtrlID(hwnd));
  return TRUE;
}

ShellExecuteRecorder* g_recorder = nullptr;

HINSTANCE WINAPI RecordShellExecute(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory,
                                    INT show) {
  if (g_recorder)
    g_recorder->calls.push_back(
        {owner, verb ? verb : "", file ? file : "", parameters != nullptr, directory != nullptr, show});
  // Above 32: what the shell answers when it has opened the target.
  return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(42));
}

// The slot of this program's import table through which calls to
// shell32's ShellExecuteA go, or null.
void** ShellExecuteImportSlot() {
  auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (!imports.VirtualAddress) return nullptr;
  for (auto* module = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); module->Name;
       ++module) {
    if (lstrcmpiA(reinterpret_cast<const char*>(base + module->Name), "shell32.dll") != 0) continue;
    auto* slot = reinterpret_cast<IMAGE_THUNK_DATA*>(base + module->FirstThunk);
    const auto* name = reinterpret_cast<const IMAGE_THUNK_DATA*>(base + module->OriginalFirstThunk);
    for (; slot->u1.Function; ++slot, ++name) {
      if (IMAGE_SNAP_BY_ORDINAL(name->u1.Ordinal)) continue;
      const auto* byName = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + name->u1.AddressOfData);
      if (std::strcmp(reinterpret_cast<const char*>(byName->Name), "ShellExecuteA") == 0)
        return reinterpret_cast<void**>(&slot->u1.Function);
    }
  }
  return nullptr;
}

void WriteSlot(void** slot, void* value) {
  DWORD old = 0;
  VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &old);
  *slot = value;
  VirtualProtect(slot, sizeof *slot, old, &old);
}

}  // namespace

bool OtherDialogOpen(HWND self) {
  HWND probe = self;
  EnumThreadWindows(GetCurrentThreadId(), FindOtherDialog, reinterpret_cast<LPARAM>(&probe));
  return probe == nullptr;
}

void EndOtherDialogs(HWND self) {
  std::vector<HWND> others;
  EnumThreadWindows(GetCurrentThreadId(), CollectDialogs, reinterpret_cast<LPARAM>(&others));
  for (HWND other : others)
    if (other != self) EndDialog(other, IDCANCEL);
}

DialogWatcher::DialogWatcher(std::string caption, std::function<void(HWND)> action, HWND excluding, HWND owner)
    : m_caption(std::move(caption)),
      m_action(std::move(action)),
      m_excluding(excluding),
      m_owner(owner),
      m_thread([this] { Watch(); }) {}

bool DialogWatcher::Finish() {
  m_stop = true;
  if (m_thread.joinable()) m_thread.join();
  return m_found;
}

void DialogWatcher::Watch() {
  for (int attempt = 0; attempt < 500 && !m_stop; ++attempt) {
    Search search{&m_caption, m_excluding, m_owner, nullptr};
    EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&search));
    if (search.found) {
      m_seen.hwnd = search.found;
      m_seen.owner = GetWindow(search.found, GW_OWNER);
      m_seen.caption = StoredText(search.found);
      EnumChildWindows(search.found, CollectChildren, reinterpret_cast<LPARAM>(&m_seen));
      if (m_action) m_action(search.found);
      m_found = true;
      return;
    }
    Sleep(20);
  }
}

namespace {

// The text of the item selected in the browser's tree, or empty.
std::string SelectedTreeText(HWND browser) {
  HWND tree = FindWindowExA(browser, nullptr, WC_TREEVIEWA, nullptr);
  if (!tree) return "";
  const auto item = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
  if (!item) return "";
  char text[MAX_PATH] = {};
  TVITEMA request{};
  request.mask = TVIF_TEXT;
  request.hItem = item;
  request.pszText = text;
  request.cchTextMax = sizeof text;
  SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&request));
  return text;
}

}  // namespace

bool SelectInFolderBrowser(HWND browser, const std::string& folder) {
  const std::string name = folder.substr(folder.find_last_of('\\') + 1);
  for (int attempt = 0; attempt < 100; ++attempt) {
    SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(folder.c_str()));
    if (lstrcmpiA(SelectedTreeText(browser).c_str(), name.c_str()) == 0) return true;
    Sleep(50);
  }
  return false;
}

std::function<void(HWND)> Press(int button) {
  return [button](HWND dialog) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
  };
}

std::function<void(HWND)> CheckThenPress(int box, int button) {
  return [box, button](HWND dialog) {
    SendMessageA(GetDlgItem(dialog, box), BM_SETCHECK, BST_CHECKED, 0);
    Press(button)(dialog);
  };
}

ShellExecuteRecorder::ShellExecuteRecorder() {
  if (g_recorder) return;
  m_slot = ShellExecuteImportSlot();
  if (!m_slot) return;
  m_original = *m_slot;
  g_recorder = this;
  WriteSlot(m_slot, reinterpret_cast<void*>(&RecordShellExecute));
}

ShellExecuteRecorder::~ShellExecuteRecorder() {
  if (!m_slot) return;
  WriteSlot(m_slot, m_original);
  g_recorder = nullptr;
}

ControlColours ColoursFor(HWND dialog, int id, UINT message) {
  ControlColours colours;
  HDC dc = CreateCompatibleDC(nullptr);
  SetBkMode(dc, OPAQUE);
  SetTextColor(dc, RGB(1, 2, 3));
  SetBkColor(dc, RGB(4, 5, 6));
  colours.brush = reinterpret_cast<HBRUSH>(
      SendMessageA(dialog, message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id))));
  LOGBRUSH logBrush{};
  if (colours.brush && GetObjectA(colours.brush, sizeof logBrush, &logBrush)) colours.brushColour = logBrush.lbColor;
  colours.backgroundMode = GetBkMode(dc);
  colours.textColour = GetTextColor(dc);
  colours.backgroundColour = GetBkColor(dc);
  DeleteDC(dc);
  return colours;
}

COLORREF PaintedColour(HWND window, POINT client) {
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  HDC dc = GetDC(window);
  const COLORREF colour = GetPixel(dc, client.x, client.y);
  ReleaseDC(window, dc);
  return colour;
}

std::vector<DWORD> ChildProcesses() {
  std::vector<DWORD> children;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return children;
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry))
    if (entry.th32ParentProcessID == GetCurrentProcessId()) children.push_back(entry.th32ProcessID);
  CloseHandle(snapshot);
  return children;
}
