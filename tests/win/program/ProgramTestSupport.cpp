#include "ProgramTestSupport.h"

#include <commctrl.h>

#include <algorithm>

#include "collection/FilterSettings.h"
#include "controls/SectionDC.h"
#include "support/IconBuilder.h"
#include "support/ModuleBuilder.h"
#include "resources/resource.h"

namespace {

bool IsDialogBox(HWND hwnd) { return ClassName(hwnd) == "#32770"; }

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
  HWND found;
};

BOOL CALLBACK FindDialog(HWND hwnd, LPARAM context) {
  auto* search = reinterpret_cast<Search*>(context);
  DWORD process = 0;
  GetWindowThreadProcessId(hwnd, &process);
  if (process != GetCurrentProcessId() || hwnd == search->excluding || !IsWindowVisible(hwnd) || !IsDialogBox(hwnd))
    return TRUE;
  if (!search->caption->empty() && *search->caption != StoredText(hwnd)) return TRUE;
  search->found = hwnd;
  return FALSE;
}

BOOL CALLBACK CollectChildren(HWND hwnd, LPARAM context) {
  auto* seen = reinterpret_cast<SeenDialog*>(context);
  const std::string name = ClassName(hwnd);
  if (lstrcmpiA(name.c_str(), "Static") == 0) seen->text += StoredText(hwnd);
  return TRUE;
}

}  // namespace

std::vector<uint8_t> BuildModuleWithGroups(const std::vector<GroupFixture>& groups) {
  std::vector<BuiltResource> resources;
  uint16_t imageId = 0;
  for (const GroupFixture& group : groups) {
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

std::string WriteIcoAt(const std::string& path, COLORREF colour) {
  WriteBytes(path, BuildSolidIcoFile({colour}));
  return path;
}

std::string WriteModuleAt(const std::string& path, int groups) {
  std::vector<GroupFixture> fixtures;
  for (int i = 1; i <= groups; ++i) fixtures.push_back({ResourceName::Id(static_cast<uint16_t>(i)), RGB(0, 0, 255)});
  WriteBytes(path, BuildModuleWithGroups(fixtures));
  return path;
}

LRESULT HostListCtrl::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == LVM_SCROLL) scrolls.emplace_back(static_cast<int>(wParam), static_cast<int>(lParam));
  return CIconListCtrl::WindowProc(msg, wParam, lParam);
}

ListViewHost::ListViewHost() {
  CreateEx(0, "STATIC", "List host", WS_POPUP, CRect(0, 0, 420, 320), nullptr, 0);
  list.CreateEx(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_ICON | LVS_OWNERDATA | LVS_SINGLESEL,
                CRect(0, 0, 400, 200), this, IDC_ICON_LIST);
  list.SetExtendedStyle(list.GetExtendedStyle() | LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
  label.CreateEx(0, "STATIC", "untouched", WS_CHILD | WS_VISIBLE, CRect(0, 210, 100, 230), this, 1045);
  pathBox.CreateEx(0, "EDIT", "C:\\some\\path.exe", WS_CHILD | WS_VISIBLE | ES_READONLY, CRect(0, 240, 400, 260),
                   this, 1012);
  list.SetPictureSides(32, 16);
}

void ListViewHost::Bind(CIconCollection& icons) {
  icons.SetView(&list);
  list.ShowIcons(&icons);
}

COLORREF ListViewHost::ShownCentre(int index, bool large) {
  list.ModifyStyle(LVS_TYPEMASK, large ? LVS_ICON : LVS_SMALLICON);
  RECT box{};
  box.left = LVIR_ICON;
  if (!list.SendMessage(LVM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&box)))
    return CLR_INVALID;
  // The item's own box, wherever the list is scrolled to: the list draws what
  // meets the clip box, in its own coordinates.
  const int width = box.right - box.left;
  const int height = box.bottom - box.top;
  CSectionDC section(width, height);
  if (!section.Bits()) return CLR_INVALID;
  const HDC dc = section.Dc();
  SetWindowOrgEx(dc, box.left, box.top, nullptr);
  COLORREF centre = CLR_INVALID;
  for (int attempt = 0; attempt < 1000; ++attempt) {
    // The list draws on black without erasing; drawing asks for the picture.
    const bool made = list.HasPicture(index);
    PatBlt(dc, box.left, box.top, width, height, BLACKNESS);
    list.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    GdiFlush();
    if (made) {
      const uint8_t* pixel = section.Bits() + (static_cast<size_t>(height / 2) * width + width / 2) * 4;
      centre = RGB(pixel[2], pixel[1], pixel[0]);
      break;
    }
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    Sleep(5);
  }
  return centre;
}

DialogWatcher::DialogWatcher(std::string caption, std::function<void(HWND)> action, HWND excluding)
    : m_caption(std::move(caption)),
      m_action(std::move(action)),
      m_excluding(excluding),
      m_thread([this] { Watch(); }) {}

bool DialogWatcher::Finish() {
  m_stop = true;
  if (m_thread.joinable()) m_thread.join();
  return m_found;
}

void DialogWatcher::Watch() {
  for (int attempt = 0; attempt < 500 && !m_stop; ++attempt) {
    Search search{&m_caption, m_excluding, nullptr};
    EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&search));
    if (search.found) {
      m_seen.owner = GetWindow(search.found, GW_OWNER);
      EnumChildWindows(search.found, CollectChildren, reinterpret_cast<LPARAM>(&m_seen));
      if (m_action) m_action(search.found);
      m_found = true;
      return;
    }
    Sleep(20);
  }
}

std::function<void(HWND)> Press(int button) {
  return [button](HWND dialog) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
  };
}

void AppTest::SetUp() { TheApp().m_config.SetPath(configPath.c_str()); }

void AppTest::TearDown() {
  CIconCollection& icons = TheApp().m_icons;
  icons.Clear();
  icons.SetView(nullptr);
  icons.SetBlockProbe(&CanAllocateBlock);
  icons.SetSaved(true);
  icons.SetSwitches({});
  TheApp().m_config.SetPath("");
}

void AppTest::WriteSetting(const char* section, const char* key, const char* value) const {
  WritePrivateProfileStringA(section, key, value, configPath.c_str());
}

std::string AppTest::Raw(const char* section, const char* key) const {
  char value[300] = {};
  GetPrivateProfileStringA(section, key, "<missing>", value, sizeof value, configPath.c_str());
  return value;
}

void SaveTest::SetUp() {
  AppTest::SetUp();
  TheApp().WriteDefaultSettings();
  WriteSetting("Setting", "RestorePath", library.Path().c_str());
  WriteSetting("Setting", "OpenDir", "0");
  ReadFilterSettings(TheApp().m_config, Icons());
  host.Bind(Icons());
}

void SaveTest::TearDown() {
  host.list.DeleteAllItems();
  AppTest::TearDown();
}

void SaveTest::AddIcos(const std::vector<uint8_t>& seeds) {
  for (const uint8_t seed : seeds) {
    const std::string path = sources.File("seed" + std::to_string(seed) + ".ico");
    WriteBytes(path, BuildIcoFile({MakeDibBlock(32, 32, 32, 0, seed)}));
    Icons().LoadFromFile(path.c_str(), TRUE);
  }
}

std::vector<uint8_t> SaveTest::SavedSeed(uint8_t seed) { return WithSizeImageCleared(MakeDibBlock(32, 32, 32, 0, seed)); }

std::vector<uint8_t> SaveTest::FirstBlockIn(const std::string& name) const {
  const auto blocks = IcoBlocks(ReadBytes(library.File(name)));
  return blocks.empty() ? std::vector<uint8_t>() : blocks[0];
}

void SaveTest::TickOnly(const std::vector<int>& items) {
  for (int i = 0; i < host.list.GetItemCount(); ++i)
    Icons().SetTicked(i, std::find(items.begin(), items.end(), i) != items.end());
}
