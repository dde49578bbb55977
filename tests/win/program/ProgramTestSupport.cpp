#include "ProgramTestSupport.h"

#include <commctrl.h>
#include <shlobj.h>

#include <cstdlib>
#include <cstring>
#include <fstream>

#include "support/IconBuilder.h"
#include "support/ModuleBuilder.h"

namespace {

constexpr UINT kNextStep = WM_APP + 40;
constexpr UINT_PTR kWatchdogTimer = 4077;
constexpr UINT_PTR kStepRetryTimer = 4078;

BOOL CALLBACK FindOtherDialog(HWND hwnd, LPARAM context) {
  auto* self = reinterpret_cast<HWND*>(context);
  char className[64] = {};
  GetClassNameA(hwnd, className, sizeof className);
  if (hwnd == *self || !IsWindowVisible(hwnd) || std::strcmp(className, "#32770") != 0) return TRUE;
  *self = nullptr;
  return FALSE;
}

// Whether a message box (or another dialog) of this thread is open on top.
bool AnotherDialogIsOpen(HWND self) {
  HWND probe = self;
  EnumThreadWindows(GetCurrentThreadId(), FindOtherDialog, reinterpret_cast<LPARAM>(&probe));
  return probe == nullptr;
}

std::wstring Widen(const std::string& text) {
  std::wstring wide(text.size(), L'\0');
  for (size_t i = 0; i < text.size(); ++i) wide[i] = static_cast<unsigned char>(text[i]);
  return wide;
}

// Removes a folder tree through the wide functions, which take paths longer
// than MAX_PATH.
void RemoveTree(const std::wstring& folder) {
  WIN32_FIND_DATAW entry;
  HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &entry);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = entry.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring path = folder + L"\\" + name;
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path);
      } else {
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(path.c_str());
      }
    } while (FindNextFileW(find, &entry));
    FindClose(find);
  }
  RemoveDirectoryW(folder.c_str());
}

void AppendU16(std::vector<uint8_t>& out, uint32_t value) {
  out.push_back(static_cast<uint8_t>(value));
  out.push_back(static_cast<uint8_t>(value >> 8));
}

void AppendU32(std::vector<uint8_t>& out, uint32_t value) {
  AppendU16(out, value);
  AppendU16(out, value >> 16);
}

}  // namespace

TempFolder::TempFolder() {
  static int made = 0;
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  for (;;) {
    m_path = std::string(temp) + "vantrel-program-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++made);
    if (CreateDirectoryA(m_path.c_str(), nullptr)) break;
    if (GetLastError() != ERROR_ALREADY_EXISTS) break;
  }
}

TempFolder::~TempFolder() { RemoveTree(L"\\\\?\\" + Widen(m_path)); }

std::vector<std::string> ReadLines(const std::string& path) {
  std::ifstream in(path);
  std::vector<std::string> lines;
  std::string line;
  while (std::getline(in, line)) {
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
    if (!line.empty()) lines.push_back(line);
  }
  return lines;
}

std::vector<uint8_t> SolidIconBlock(COLORREF colour, int size) {
  const uint32_t pixelBytes = static_cast<uint32_t>(size * size * 4);
  const uint32_t maskRow = static_cast<uint32_t>((size + 31) / 32 * 4);
  std::vector<uint8_t> block;
  AppendU32(block, 40);
  AppendU32(block, static_cast<uint32_t>(size));
  AppendU32(block, static_cast<uint32_t>(size * 2));
  AppendU16(block, 1);
  AppendU16(block, 32);
  AppendU32(block, 0);
  AppendU32(block, pixelBytes + maskRow * static_cast<uint32_t>(size));
  for (int i = 0; i < 4; ++i) AppendU32(block, 0);
  for (int i = 0; i < size * size; ++i) {
    block.insert(block.end(), {GetBValue(colour), GetGValue(colour), GetRValue(colour), 0xFF});
  }
  block.insert(block.end(), maskRow * static_cast<uint32_t>(size), 0);
  return block;
}

HICON MakeSolidIcon(COLORREF colour) {
  std::vector<uint8_t> block = SolidIconBlock(colour);
  return CreateIconFromResourceEx(block.data(), static_cast<DWORD>(block.size()), TRUE, 0x00030000, 32, 32, 0);
}

std::vector<uint8_t> BuildModuleWithGroups(const std::vector<GroupSpec>& groups) {
  std::vector<BuiltResource> resources;
  uint16_t imageId = 0;
  for (const GroupSpec& group : groups) {
    ++imageId;
    const std::vector<uint8_t> block = SolidIconBlock(group.colour);
    BuiltResource image;
    image.type = kResourceIcon;
    image.name = ResourceName::Id(imageId);
    image.data = block;
    resources.push_back(image);
    BuiltResource directory;
    directory.type = kResourceGroupIcon;
    directory.name = group.name;
    directory.data = BuildGroupIcon({block}, {imageId});
    resources.push_back(directory);
  }
  return BuildPeModule(resources);
}

std::vector<uint8_t> BuildSolidIcoFile(const std::vector<COLORREF>& colours) {
  std::vector<std::vector<uint8_t>> blocks;
  for (const COLORREF colour : colours) blocks.push_back(SolidIconBlock(colour));
  return BuildIcoFile(blocks);
}

COLORREF CentreColour(HIMAGELIST list, int index) {
  int width = 0, height = 0;
  ImageList_GetIconSize(list, &width, &height);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(dc, bitmap);
  PatBlt(dc, 0, 0, width, height, BLACKNESS);
  ImageList_Draw(list, index, dc, 0, 0, ILD_NORMAL);
  GdiFlush();
  const auto* pixels = static_cast<const uint8_t*>(bits);
  const size_t at = (static_cast<size_t>(height / 2) * width + width / 2) * 4;
  const COLORREF colour = RGB(pixels[at + 2], pixels[at + 1], pixels[at]);
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  return colour;
}

bool SameColour(COLORREF a, COLORREF b) {
  const auto close = [](int x, int y) { return std::abs(x - y) <= 40; };
  return close(GetRValue(a), GetRValue(b)) && close(GetGValue(a), GetGValue(b)) && close(GetBValue(a), GetBValue(b));
}

LRESULT RecordingListCtrl::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == LVM_SCROLL) scrolls.emplace_back(static_cast<int>(wParam), static_cast<int>(lParam));
  return CListCtrl::WindowProc(msg, wParam, lParam);
}

ListViewHost::ListViewHost() {
  CreateEx(0, "STATIC", "List host", WS_POPUP, CRect(0, 0, 420, 320), nullptr, 0);
  list.CreateEx(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_ICON | LVS_SINGLESEL, CRect(0, 0, 400, 200), this,
                1000);
  list.SetExtendedStyle(list.GetExtendedStyle() | LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
  label.CreateEx(0, "STATIC", "untouched", WS_CHILD | WS_VISIBLE, CRect(0, 210, 100, 230), this, 1045);
  pathBox.CreateEx(0, "EDIT", "C:\\some\\path.exe", WS_CHILD | WS_VISIBLE | ES_READONLY, CRect(0, 240, 400, 260),
                   this, 1012);
  large.Create(32, 32, ILC_COLOR8 | ILC_MASK, 8, 1024);
  small.Create(16, 16, ILC_COLOR8 | ILC_MASK, 8, 1024);
  list.SetImageList(&large, LVSIL_NORMAL);
  list.SetImageList(&small, LVSIL_SMALL);
}

void ListViewHost::Bind(CIconCollection& icons) {
  icons.SetImageLists(&large, &small);
  icons.SetListView(&list);
}

DialogAnswerer::DialogAnswerer(std::string caption, int button, HWND excluding)
    : m_caption(std::move(caption)), m_button(button), m_excluding(excluding), m_thread([this] { Watch(); }) {}

bool DialogAnswerer::Finish() {
  m_stop = true;
  if (m_thread.joinable()) m_thread.join();
  return m_answered;
}

namespace {

struct BoxSearch {
  const std::string* caption;
  HWND excluding;
  HWND found;
};

// The text the system keeps for a window, read without sending it a message:
// the thread that owns the window may be waiting for us.
std::string StoredText(HWND hwnd) {
  wchar_t wide[1024] = {};
  InternalGetWindowText(hwnd, wide, 1024);
  std::string text;
  for (const wchar_t* c = wide; *c; ++c) text += static_cast<char>(*c);
  return text;
}

BOOL CALLBACK FindBox(HWND hwnd, LPARAM context) {
  auto* search = reinterpret_cast<BoxSearch*>(context);
  DWORD process = 0;
  GetWindowThreadProcessId(hwnd, &process);
  if (process != GetCurrentProcessId() || hwnd == search->excluding || !IsWindowVisible(hwnd)) return TRUE;
  char className[64] = {};
  GetClassNameA(hwnd, className, sizeof className);
  if (std::strcmp(className, "#32770") != 0 || *search->caption != StoredText(hwnd)) return TRUE;
  search->found = hwnd;
  return FALSE;
}

BOOL CALLBACK CollectStaticText(HWND hwnd, LPARAM context) {
  char className[64] = {};
  GetClassNameA(hwnd, className, sizeof className);
  if (lstrcmpiA(className, "Static") == 0) *reinterpret_cast<std::string*>(context) += StoredText(hwnd);
  return TRUE;
}

}  // namespace

void DialogAnswerer::Watch() {
  for (int attempt = 0; attempt < 500 && !m_stop; ++attempt) {
    BoxSearch search{&m_caption, m_excluding, nullptr};
    EnumWindows(FindBox, reinterpret_cast<LPARAM>(&search));
    if (search.found) {
      EnumChildWindows(search.found, CollectStaticText, reinterpret_cast<LPARAM>(&m_text));
      PostMessageA(search.found, WM_COMMAND, MAKEWPARAM(m_button, BN_CLICKED),
                   reinterpret_cast<LPARAM>(GetDlgItem(search.found, m_button)));
      m_answered = true;
      return;
    }
    Sleep(20);
  }
}

HDROP MakeDrop(const std::vector<std::string>& paths) {
  size_t size = sizeof(DROPFILES) + 1;
  for (const std::string& path : paths) size += path.size() + 1;
  HGLOBAL memory = GlobalAlloc(GHND, size);
  auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
  header->pFiles = sizeof(DROPFILES);
  header->fWide = FALSE;
  char* text = reinterpret_cast<char*>(header) + sizeof(DROPFILES);
  for (const std::string& path : paths) {
    std::memcpy(text, path.c_str(), path.size() + 1);
    text += path.size() + 1;
  }
  GlobalUnlock(memory);
  return static_cast<HDROP>(memory);
}

std::string ScriptedMainDlg::PathText() const {
  CString text;
  m_pathEdit.GetWindowText(text);
  return std::string(text);
}

BOOL ScriptedMainDlg::OnInitDialog() {
  const BOOL result = CMainDlg::OnInitDialog();
  SetTimer(kWatchdogTimer, 20000);
  PostMessage(kNextStep);
  return result;
}

LRESULT ScriptedMainDlg::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == kNextStep) {
    // A step never runs inside a message box that an earlier message opened:
    // it waits until the box is answered.
    if (AnotherDialogIsOpen(m_hWnd)) {
      SetTimer(kStepRetryTimer, 20);
      return 0;
    }
    if (m_nextStep < steps.size()) {
      const size_t current = m_nextStep++;
      steps[current]();
      if (m_nextStep < steps.size() && m_hWnd) PostMessage(kNextStep);
    }
    return 0;
  }
  if (msg == WM_DESTROY) {
    itemsAtDestroy = m_iconList.GetItemCount();
    pathTextAtDestroy = PathText();
  }
  return CMainDlg::WindowProc(msg, wParam, lParam);
}

BOOL ScriptedMainDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  commands.emplace_back(LOWORD(wParam), HIWORD(wParam));
  return CMainDlg::OnCommand(wParam, lParam);
}

void ScriptedMainDlg::OnOK() {
  ++okCalls;
  CMainDlg::OnOK();
}

void ScriptedMainDlg::OnTimer(UINT_PTR id) {
  if (id == kWatchdogTimer) {
    EndDialog(kTimedOut);
    return;
  }
  if (id == kStepRetryTimer) {
    KillTimer(kStepRetryTimer);
    PostMessage(kNextStep);
    return;
  }
  CMainDlg::OnTimer(id);
}

void AppTest::SetUp() { TheApp().m_config.SetPath(configPath.c_str()); }

void AppTest::TearDown() {
  CIconCollection& icons = TheApp().m_icons;
  icons.Clear();
  icons.SetImageLists(nullptr, nullptr);
  icons.SetListView(nullptr);
  icons.m_saved = TRUE;
  icons.m_filterExe = icons.m_filterDll = icons.m_filterIco = icons.m_filterIcl = FALSE;
  icons.m_filterCpl = icons.m_filterOcx = icons.m_filterScr = FALSE;
  TheApp().m_config.SetPath("");
}

void AppTest::WriteSetting(const char* section, const char* key, const char* value) const {
  WritePrivateProfileStringA(section, key, value, configPath.c_str());
}
