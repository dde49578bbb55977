#include "ui/IconListCtrl.h"

#include <windows.h>

#include <shellapi.h>

#include <string>
#include <vector>

#include "ui/IconTip.h"
#include "ui/MainDlg.h"

namespace {

// Wide enough for the images of most icons on a line or two.
const int kTipWidth = 420;

}  // namespace

void CIconListCtrl::ShowIcons(CIconCollection* icons) {
  m_icons = icons;
  // The tick is asked for like the picture, so LVM_GETITEMSTATE answers it to anyone.
  SendMessage(LVM_SETCALLBACKMASK, LVIS_STATEIMAGEMASK);
}

void CIconListCtrl::OnDropFiles(HDROP drop) {
  const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
  std::vector<std::string> paths;
  for (UINT i = 0; i < count; ++i) {
    // Read whole: a path cut to fit a buffer could name another file. The
    // loader itself refuses a path too long for its record.
    std::string path(DragQueryFileA(drop, i, nullptr, 0), '\0');
    DragQueryFileA(drop, i, &path[0], static_cast<UINT>(path.size() + 1));
    paths.push_back(std::move(path));
  }
  DragFinish(drop);
  auto* mainWindow = static_cast<CMainDlg*>(GetParent());
  if (mainWindow && !paths.empty()) mainWindow->AddDropped(paths);
}

void CIconListCtrl::PreSubclassWindow() {
  // The list's own item tips are not there on every system, so the list keeps its own.
  if (!m_tip.Create(this)) return;
  m_tip.AddTool(this, LPSTR_TEXTCALLBACKA);
  m_tip.SetMaxTipWidth(kTipWidth);
}

LRESULT CIconListCtrl::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (m_tip.m_hWnd && ((msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST) || msg == WM_MOUSELEAVE)) {
    if (msg == WM_MOUSEMOVE) TrackHoveredItem(lParam);
    MSG relayed{m_hWnd, msg, wParam, lParam, 0, {}};
    m_tip.RelayEvent(&relayed);
  }
  // The list keeps no tick of its own, so it cannot toggle one: a click on
  // a check box and Space toggle the record's.
  if (msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK) {
    LVHITTESTINFO hit{};
    hit.pt = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    const int item = static_cast<int>(SendMessage(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    if (hit.flags & LVHT_ONITEMSTATEICON) ToggleTick(item);
  } else if (msg == WM_KEYDOWN && wParam == VK_SPACE) {
    ToggleTick(static_cast<int>(SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED)));
  }
  return CListCtrl::WindowProc(msg, wParam, lParam);
}

void CIconListCtrl::ToggleTick(int index) {
  if (m_icons && index >= 0 && index < m_icons->GetCount()) m_icons->SetTicked(index, !m_icons->IsTicked(index));
}

int CIconListCtrl::NeighbourOf(int from, UINT key) const {
  const int count = GetItemCount();
  if (from < 0 || from >= count) return -1;
  // The arrange fills rows from the top: a row holds the items level with the first.
  POINT first{}, other{};
  SendMessage(LVM_GETITEMPOSITION, 0, reinterpret_cast<LPARAM>(&first));
  int perRow = 1;
  for (; perRow < count; ++perRow) {
    SendMessage(LVM_GETITEMPOSITION, perRow, reinterpret_cast<LPARAM>(&other));
    if (other.y != first.y) break;
  }
  switch (key) {
    case VK_LEFT:
      return from % perRow ? from - 1 : -1;
    case VK_RIGHT:
      return (from + 1) % perRow && from + 1 < count ? from + 1 : -1;
    case VK_UP:
      return from >= perRow ? from - perRow : -1;
    case VK_DOWN:
      return from + perRow < count ? from + perRow : -1;
  }
  return -1;
}

BOOL CIconListCtrl::OnChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  const auto* header = reinterpret_cast<const NMHDR*>(lParam);
  if (msg == WM_NOTIFY && (header->code == LVN_ODFINDITEMA || header->code == LVN_ODFINDITEMW)) {
    // Wine moves the arrow keys' focus in an owner-data icon view by asking
    // the owner for the nearest item that way; the items have no text to find.
    const auto* find = reinterpret_cast<const NMLVFINDITEMA*>(lParam);
    *result = (find->lvfi.flags & LVFI_NEARESTXY) ? NeighbourOf(find->iStart, find->lvfi.vkDirection) : -1;
    return TRUE;
  }
  if (msg != WM_NOTIFY || !m_icons || (header->code != LVN_GETDISPINFOA && header->code != LVN_GETDISPINFOW))
    return CListCtrl::OnChildNotify(msg, wParam, lParam, result);
  // The two forms differ only in the text's characters, and the text is empty.
  LVITEMA& asked = reinterpret_cast<NMLVDISPINFOA*>(lParam)->item;
  LVITEMA shown = asked;
  shown.mask &= ~LVIF_TEXT;
  m_icons->ShowItem(shown);
  asked.iImage = shown.iImage;
  asked.state = shown.state;
  asked.stateMask = shown.stateMask;
  if ((asked.mask & LVIF_TEXT) && asked.pszText && asked.cchTextMax > 0) {
    if (header->code == LVN_GETDISPINFOW)
      reinterpret_cast<LPWSTR>(asked.pszText)[0] = L'\0';
    else
      asked.pszText[0] = '\0';
  }
  *result = 0;
  return TRUE;
}

void CIconListCtrl::TrackHoveredItem(LPARAM point) {
  LVHITTESTINFO hit{};
  hit.pt = {static_cast<short>(LOWORD(point)), static_cast<short>(HIWORD(point))};
  const int item = static_cast<int>(SendMessage(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  const int hovered = (hit.flags & LVHT_ONITEM) ? item : -1;
  if (hovered == m_tipItem) return;
  m_tipItem = hovered;
  // Hidden and started afresh, so that the next showing asks for the new item's text.
  m_tip.Activate(FALSE);
  m_tip.Activate(TRUE);
}

BOOL CIconListCtrl::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
  auto* info = reinterpret_cast<NMTTDISPINFOA*>(lParam);
  if (info->hdr.hwndFrom != m_tip.m_hWnd || info->hdr.code != TTN_GETDISPINFOA)
    return CListCtrl::OnNotify(wParam, lParam, result);
  m_tipText = m_icons && m_tipItem >= 0 && m_tipItem < m_icons->GetCount() ? IconTipText(*m_icons->GetSource(m_tipItem))
                                                                         : "";
  info->lpszText = const_cast<LPSTR>(m_tipText.c_str());
  *result = 0;
  return TRUE;
}
