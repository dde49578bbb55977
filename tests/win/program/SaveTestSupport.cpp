#include "SaveTestSupport.h"

#include <commctrl.h>

#include <algorithm>

#include "support/IconBuilder.h"
#include "ui/resource.h"

namespace {

uint32_t ReadU32(const std::vector<uint8_t>& bytes, size_t at) {
  return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | static_cast<uint32_t>(bytes[at + 3]) << 24;
}

BOOL CALLBACK FindProgressDialog(HWND hwnd, LPARAM context) {
  if (!GetDlgItem(hwnd, IDC_SAVE_PROGRESS) || !GetDlgItem(hwnd, IDC_SAVE_PERCENT)) return TRUE;
  *reinterpret_cast<HWND*>(context) = hwnd;
  return FALSE;
}

}  // namespace

LRESULT HookedListCtrl::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (onQuery && msg == LVM_GETITEMCOUNT) onQuery(-1);
  if (onQuery && msg == LVM_GETITEMSTATE) onQuery(static_cast<int>(wParam));
  return CListCtrl::WindowProc(msg, wParam, lParam);
}

SaveListHost::SaveListHost() {
  CreateEx(0, "STATIC", "Save list host", WS_POPUP, CRect(0, 0, 420, 320), nullptr, 0);
  list.CreateEx(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_ICON, CRect(0, 0, 400, 300), this, IDC_ICON_LIST);
  list.SetExtendedStyle(list.GetExtendedStyle() | LVS_EX_CHECKBOXES);
  large.Create(32, 32, ILC_COLOR8 | ILC_MASK, 8, 1024);
  small.Create(16, 16, ILC_COLOR8 | ILC_MASK, 8, 1024);
  list.SetImageList(&large, LVSIL_NORMAL);
  list.SetImageList(&small, LVSIL_SMALL);
}

void PostCancelClick(HWND dialog) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
}

HWND OpenSaveProgressDialog() {
  HWND found = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindProgressDialog, reinterpret_cast<LPARAM>(&found));
  return found;
}

LRESULT ObservedSaveDlg::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_SAVE_FINISHED) {
    PBRANGE range{};
    m_progress.SendMessage(PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&range));
    rangeLow = range.iLow;
    rangeHigh = range.iHigh;
    finalPos = m_progress.GetPos();
    CString label;
    m_percentLabel.GetWindowText(label);
    finalLabel = static_cast<LPCSTR>(label);
    if (cancelOnFinish) {
      cancelOnFinish = false;
      // The worker has ended by now or is about to: Cancel must not wait forever.
      PostCancelClick(m_hWnd);
      return 0;
    }
  }
  return CSaveProgressDlg::WindowProc(msg, wParam, lParam);
}

bool PickedPathSaveCommand::PickSaveAsPath(CString& path, CString& title, CString& ext) {
  ++pickCalls;
  if (picked.empty()) return false;
  path = picked.c_str();
  const CString name = path.Mid(path.ReverseFind('\\') + 1);
  const int dot = name.ReverseFind('.');
  title = dot >= 0 ? name.Left(dot) : name;
  ext = dot >= 0 ? name.Mid(dot + 1) : CString();
  return true;
}

std::vector<std::vector<uint8_t>> IcoFileBlocks(const std::string& path) {
  const std::vector<uint8_t> bytes = ReadBytes(path);
  std::vector<std::vector<uint8_t>> blocks;
  if (bytes.size() < 6 || bytes[0] != 0 || bytes[1] != 0 || bytes[2] != 1 || bytes[3] != 0) return blocks;
  const size_t count = bytes[4] | bytes[5] << 8;
  if (bytes.size() < 6 + count * 16) return {};
  for (size_t i = 0; i < count; ++i) {
    const size_t size = ReadU32(bytes, 6 + i * 16 + 8);
    const size_t offset = ReadU32(bytes, 6 + i * 16 + 12);
    if (offset > bytes.size() || size > bytes.size() - offset) return {};
    blocks.emplace_back(bytes.begin() + static_cast<std::ptrdiff_t>(offset),
                        bytes.begin() + static_cast<std::ptrdiff_t>(offset + size));
  }
  return blocks;
}

std::vector<uint8_t> WithSizeImageCleared(std::vector<uint8_t> block) {
  const bool png = block.size() >= 4 && block[0] == 0x89 && block[1] == 'P' && block[2] == 'N' && block[3] == 'G';
  if (!png && block.size() >= 40 && ReadU32(block, 0) >= 40) std::fill(block.begin() + 20, block.begin() + 24, 0);
  return block;
}

std::vector<std::string> NamesIn(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    const std::string name = entry.cFileName;
    if (name == "." || name == "..") continue;
    names.push_back(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY ? name + "\\" : name);
  } while (FindNextFileA(find, &entry));
  FindClose(find);
  std::sort(names.begin(), names.end());
  return names;
}

bool NobodyHoldsOpen(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  CloseHandle(file);
  return true;
}

void SaveTest::SetUp() {
  AppTest::SetUp();
  TheApp().WriteDefaultSettings();
  WriteSetting("Setting", "RestorePath", library.Path().c_str());
  WriteSetting("Setting", "OpenDir", "0");
  CIconCollection& icons = Icons();
  icons.m_filterExe = icons.m_filterDll = icons.m_filterIco = icons.m_filterIcl = TRUE;
  icons.m_filterCpl = icons.m_filterOcx = icons.m_filterScr = TRUE;
  icons.SetImageLists(&host.large, &host.small);
  icons.SetListView(&host.list);
}

void SaveTest::TearDown() {
  host.list.onQuery = nullptr;
  host.list.DeleteAllItems();
  AppTest::TearDown();
}

std::string SaveTest::AddIco(const std::string& name, const std::vector<std::vector<uint8_t>>& blocks) {
  const std::string path = sources.File(name);
  WriteBytes(path, BuildIcoFile(blocks));
  Icons().LoadFromFile(path.c_str(), TRUE);
  return path;
}

std::vector<uint8_t> SaveTest::SeedBlock(uint8_t seed) { return MakeDibBlock(32, 32, 32, 0, seed); }

void SaveTest::AddIcos(const std::vector<uint8_t>& seeds) {
  for (const uint8_t seed : seeds) AddIco("seed" + std::to_string(seed) + ".ico", {SeedBlock(seed)});
}

void SaveTest::TickOnly(const std::vector<int>& items) {
  for (int i = 0; i < host.list.GetItemCount(); ++i)
    host.list.SetCheck(i, std::find(items.begin(), items.end(), i) != items.end());
}

int SaveTest::Ticked() {
  int ticked = 0;
  for (int i = 0; i < host.list.GetItemCount(); ++i) ticked += host.list.GetCheck(i) ? 1 : 0;
  return ticked;
}

INT_PTR SaveTest::RunSaveDialog(CSaveProgressDlg& dialog, const std::string& folder, const std::string& type,
                                const std::string& baseName) {
  dialog.m_folder = folder.c_str();
  dialog.m_baseName = baseName.c_str();
  dialog.m_type = type.c_str();
  dialog.m_list = &host.list;
  dialog.m_total = Ticked();
  return dialog.DoModal();
}
