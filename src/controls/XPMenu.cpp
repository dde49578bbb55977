#include "controls/XPMenu.h"

#include <algorithm>
#include <map>
#include <string>
#include <utility>

#include "controls/BoldFontSelector.h"
#include "controls/OffscreenDC.h"
#include "controls/StockFontSelector.h"
#include "controls/XPMenuItem.h"
#include "controls/XPMenuPaint.h"
#include "framework/Gdi.h"
#include "framework/WinApp.h"
#include "framework/Wnd.h"

namespace {

const char kXPLookProperty[] = "XPWndProp_MenuXP";
const UINT kItemReadMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_TYPE | MIIM_DATA;
const UINT kConvertMask = MIIM_ID | MIIM_SUBMENU | MIIM_TYPE;
const int kMenuBarTextLimit = 1000;
const int kDropDownExtraWidth = 42;
const int kMenuBarExtraWidth = 4;

// Process-wide: owner-drawn items keep their text only here. The command
// images are borrowed from the window that draws them, and forgotten when it
// gives up the look.
struct MenuStore {
  std::map<UINT, std::string> textByCommand;
  std::map<HMENU, std::string> textBySubmenu;
  std::map<HWND, std::map<UINT, std::pair<HIMAGELIST, int>>> imagesByOwner;
};

MenuStore& Store() {
  static MenuStore store;
  return store;
}

// owner: the window whose command images the item shows; null for none.
CXPMenuItem ReadItem(HMENU menu, UINT item, bool byPosition, HWND owner = nullptr) {
  MENUITEMINFOA info{};
  info.cbSize = sizeof(info);
  info.fMask = kItemReadMask;
  ::GetMenuItemInfoA(menu, item, byPosition, &info);
  if (info.fType & MFT_SEPARATOR) return CXPMenuItem(info, std::string());
  MenuStore& store = Store();
  if (info.hSubMenu) {
    const auto text = store.textBySubmenu.find(info.hSubMenu);
    return CXPMenuItem(info, text == store.textBySubmenu.end() ? std::string() : text->second);
  }
  const auto text = store.textByCommand.find(info.wID);
  const std::string label = text == store.textByCommand.end() ? std::string() : text->second;
  const auto images = store.imagesByOwner.find(owner);
  if (images == store.imagesByOwner.end()) return CXPMenuItem(info, label);
  const auto image = images->second.find(info.wID);
  if (image == images->second.end()) return CXPMenuItem(info, label);
  return CXPMenuItem(info, label, image->second.first, image->second.second);
}

int TextWidth(HDC dc, const std::string& text, bool bold) {
  if (text.empty()) return 0;
  CBoldFontSelector font(dc, bold);
  SIZE size{0, 0};
  ::GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
  return size.cx;
}

int LabelWidth(HDC dc, const CXPMenuItem& item) {
  if (item.IsSeparator()) return 0;
  std::string label = item.Label();
  const size_t ampersand = label.find('&');
  if (ampersand != std::string::npos) label.erase(ampersand, 1);
  return TextWidth(dc, label, item.IsDefault());
}

int AcceleratorWidth(HDC dc, const CXPMenuItem& item) {
  return item.IsSeparator() ? 0 : TextWidth(dc, item.Accelerator(), item.IsDefault());
}

void ForgetDestroyedSubmenus() {
  auto& texts = Store().textBySubmenu;
  for (auto entry = texts.begin(); entry != texts.end();)
    entry = ::IsMenu(entry->first) ? std::next(entry) : texts.erase(entry);
}

// Switches one item to owner-drawn and keeps its text.
void ConvertItem(CDC& dc, HMENU menu, int position, bool isMenuBar) {
  char text[256] = {};
  MENUITEMINFOA info{};
  info.cbSize = sizeof(info);
  info.fMask = kConvertMask;
  info.dwTypeData = text;
  info.cch = sizeof(text) - 1;
  ::GetMenuItemInfoA(menu, position, TRUE, &info);
  if ((info.fType & MFT_OWNERDRAW) || (isMenuBar && (info.fType & MFT_BITMAP))) return;
  info.fType |= MFT_OWNERDRAW;
  if (isMenuBar) {
    RECT bounds{0, 0, kMenuBarTextLimit, 0};
    dc.DrawText(text, -1, &bounds, DT_CALCRECT | DT_SINGLELINE);
    info.fMask |= MIIM_DATA;
    info.dwItemData = static_cast<ULONG_PTR>((bounds.right - bounds.left) & 0xFFFF) << 16;
  }
  ::SetMenuItemInfoA(menu, position, TRUE, &info);
  if (info.fType & MFT_SEPARATOR) return;
  MenuStore& store = Store();
  if (info.hSubMenu)
    store.textBySubmenu[info.hSubMenu] = text;
  else
    store.textByCommand[info.wID] = text;
}

void SetItemData(HMENU menu, int position, ULONG_PTR data) {
  MENUITEMINFOA info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_DATA;
  info.dwItemData = data;
  ::SetMenuItemInfoA(menu, position, TRUE, &info);
}

UINT ItemType(HMENU menu, int position) {
  MENUITEMINFOA info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_TYPE;
  ::GetMenuItemInfoA(menu, position, TRUE, &info);
  return info.fType;
}

std::string UpperCase(std::string text) {
  if (!text.empty()) ::CharUpperBuffA(&text[0], static_cast<DWORD>(text.size()));
  return text;
}

// Whether the label has the mnemonic (already upper-cased); "&&" is a literal ampersand.
bool HasMnemonic(const std::string& label, char key) {
  for (int j = static_cast<int>(label.size()) - 2; j >= 0; --j) {
    if (label[j] == '&' && label[j + 1] == key && (j == 0 || label[j - 1] != '&')) return true;
  }
  return false;
}

}  // namespace

void CXPMenu::SetXPLook(CWnd* window, bool enable) {
  if (enable) {
    ::SetPropA(*window, kXPLookProperty, reinterpret_cast<HANDLE>(1));
  } else {
    ::RemovePropA(*window, kXPLookProperty);
    Store().imagesByOwner.erase(*window);
  }
}

bool CXPMenu::HasXPLook(CWnd* window) { return ::GetPropA(*window, kXPLookProperty) != nullptr; }

void CXPMenu::UpdateMenuBar(CWnd* window) {
  if (!HasXPLook(window)) return;
  if (HMENU menu = ::GetMenu(*window)) UpdateMenu(window, menu, true, true);
}

void CXPMenu::UpdateMenu(CWnd*, HMENU menu, bool enabled, bool isMenuBar) {
  if (!enabled) return;
  ForgetDestroyedSubmenus();
  const int count = ::GetMenuItemCount(menu);
  CWinApp* app = AfxGetApp();
  CClientDC dc(app ? app->m_pMainWnd : nullptr);
  CStockFontSelector font(dc, DEFAULT_GUI_FONT);
  TEXTMETRICA metrics{};
  ::GetTextMetricsA(dc, &metrics);
  int widestLabel = 0;
  int widestAccelerator = 0;
  for (int i = 0; i < count; ++i) {
    ConvertItem(dc, menu, i, isMenuBar);
    if (isMenuBar) continue;
    const CXPMenuItem item = ReadItem(menu, i, true);
    widestLabel = std::max(widestLabel, LabelWidth(dc, item));
    widestAccelerator = std::max(widestAccelerator, AcceleratorWidth(dc, item));
  }
  if (isMenuBar) return;
  const DWORD itemData = PackItemData(widestLabel, widestAccelerator, ItemHeight(metrics.tmHeight, DpiOf(dc)));
  const int separatorHeight = SeparatorHeight(metrics.tmHeight);
  for (int i = 0; i < count; ++i)
    SetItemData(menu, i, (ItemType(menu, i) & MFT_SEPARATOR) ? separatorHeight : itemData);
}

bool CXPMenu::IsMenuOwnerDrawn(HMENU menu) { return (ItemType(menu, 0) & MFT_OWNERDRAW) != 0; }

void CXPMenu::SetCommandImage(CWnd* owner, UINT commandId, HIMAGELIST list, int index) {
  Store().imagesByOwner[*owner][commandId] = {list, index};
}

DWORD CXPMenu::PackItemData(int labelWidth, int acceleratorWidth, int height) {
  return (labelWidth & 0xFFFF) << 16 | (acceleratorWidth & 0xFF) << 8 | (height & 0xFF);
}

void CXPMenu::MeasureItem(MEASUREITEMSTRUCT* measure) {
  if (measure->CtlType != ODT_MENU) return;
  const ULONG_PTR data = measure->itemData;
  measure->itemHeight = data & 0xFF;
  measure->itemWidth = measure->itemHeight != 0 ? (data >> 16) + ((data >> 8) & 0xFF) + ScaleToDpi(kDropDownExtraWidth, DisplayDpi())
                                                : (data >> 16) + kMenuBarExtraWidth;
}

bool CXPMenu::DrawItem(DRAWITEMSTRUCT* draw, HWND owner) {
  if (draw->CtlType != ODT_MENU) return false;
  COffscreenDC dc(draw->hDC, &draw->rcItem);
  CStockFontSelector font(dc, DEFAULT_GUI_FONT);
  const CXPMenuItem item = ReadItem(reinterpret_cast<HMENU>(draw->hwndItem), draw->itemID, false, owner);
  PaintXPMenuItem(dc, *draw, item, CXPMenuColors::FromSystem());
  return true;
}

LRESULT CXPMenu::MenuChar(HMENU menu, UINT character, UINT flags) {
  if ((flags & (MF_POPUP | MF_SYSMENU)) != MF_POPUP && flags != 0) return 0;
  const std::string key = UpperCase(std::string(1, static_cast<char>(character)));
  const int count = ::GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    if (HasMnemonic(UpperCase(ReadItem(menu, i, true).Label()), key[0])) return MAKELRESULT(i, MNC_EXECUTE);
  }
  return 0;
}
