#include "ui/IconListCtrl.h"

#include <windows.h>

#include <shellapi.h>

#include <string>

#include "app/MainApp.h"
#include "ui/IconTip.h"
#include "ui/MainDlg.h"

namespace {

// Wide enough for the images of most icons on a line or two.
const int kTipWidth = 420;

}  // namespace

void CIconListCtrl::OnDropFiles(HDROP drop) {
  const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
  auto* mainWindow = static_cast<CMainDlg*>(GetParent());
  if (count == 1 && mainWindow) {
    // Read whole: a path cut to fit a buffer could name another file. The
    // loader itself refuses a path too long for its record.
    std::string path(DragQueryFileA(drop, 0, nullptr, 0), '\0');
    DragQueryFileA(drop, 0, &path[0], static_cast<UINT>(path.size() + 1));
    mainWindow->AddFileAsDropped(path);
  }
  DragFinish(drop);
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
  return CListCtrl::WindowProc(msg, wParam, lParam);
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
  const CIconCollection& icons = TheApp().m_icons;
  m_tipText = m_tipItem >= 0 && m_tipItem < icons.GetCount() ? IconTipText(*icons.GetSource(m_tipItem)) : "";
  info->lpszText = const_cast<LPSTR>(m_tipText.c_str());
  *result = 0;
  return TRUE;
}
