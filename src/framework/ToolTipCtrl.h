#pragma once
// A tooltip window, created and owned by this object (destroyed with it).
// Tools are identified by (window, id); id 0 means the whole window itself.

#include <windows.h>
#include <commctrl.h>

#include "framework/Wnd.h"

class CToolTipCtrl : public CWnd {
 public:
  BOOL Create(CWnd* parent, DWORD style = 0);
  // With a nonzero id the tool is rect, in wnd's client coordinates (the
  // whole client area when null); with id 0 it is all of wnd.
  BOOL AddTool(CWnd* wnd, LPCSTR text, LPCRECT rect = nullptr, UINT_PTR id = 0);
  void UpdateTipText(LPCSTR text, CWnd* wnd, UINT_PTR id = 0);
  // Hands a mouse message of a tool window to the tooltip.
  void RelayEvent(LPMSG msg) { SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg)); }
  void Activate(BOOL activate) { SendMessage(TTM_ACTIVATE, activate); }
  int SetMaxTipWidth(int width) { return static_cast<int>(SendMessage(TTM_SETMAXTIPWIDTH, 0, width)); }
  int GetToolCount() const { return static_cast<int>(SendMessage(TTM_GETTOOLCOUNT)); }
};
