#include "framework/ToolTipCtrl.h"

namespace {

// The size that every version of the common controls accepts; the larger
// structure of newer headers is refused by older versions.
TOOLINFOA ToolInfo(CWnd* wnd, UINT_PTR id, LPCSTR text) {
  TOOLINFOA info{};
  info.cbSize = TTTOOLINFOA_V2_SIZE;
  info.hwnd = wnd ? wnd->m_hWnd : nullptr;
  info.uFlags = id ? 0 : TTF_IDISHWND;
  info.uId = id ? id : reinterpret_cast<UINT_PTR>(info.hwnd);
  info.lpszText = const_cast<LPSTR>(text);
  return info;
}

}  // namespace

BOOL CToolTipCtrl::Create(CWnd* parent, DWORD style) {
  const RECT none{0, 0, 0, 0};
  return CreateEx(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | style, none, parent, 0);
}

BOOL CToolTipCtrl::AddTool(CWnd* wnd, LPCSTR text, LPCRECT rect, UINT_PTR id) {
  if (!wnd || !wnd->m_hWnd) return FALSE;
  TOOLINFOA info = ToolInfo(wnd, id, text);
  if (id) {
    if (rect)
      info.rect = *rect;
    else
      ::GetClientRect(wnd->m_hWnd, &info.rect);
  }
  return static_cast<BOOL>(SendMessage(TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info)));
}

void CToolTipCtrl::UpdateTipText(LPCSTR text, CWnd* wnd, UINT_PTR id) {
  TOOLINFOA info = ToolInfo(wnd, id, text);
  SendMessage(TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&info));
}
