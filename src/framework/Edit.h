#pragma once
// An edit control. Its text goes through CWnd::SetWindowText/GetWindowText.

#include <windows.h>

#include "framework/Wnd.h"

class CEdit : public CWnd {
 public:
  BOOL SetReadOnly(BOOL readOnly = TRUE) { return static_cast<BOOL>(SendMessage(EM_SETREADONLY, readOnly)); }
};
