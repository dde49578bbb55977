#pragma once
// A combo box. Positions are 0-based; CB_ERR (-1) means none.

#include <windows.h>

#include "framework/Wnd.h"

class CComboBox : public CWnd {
 public:
  // Inserts at a fixed position, whatever the sort style (-1 appends).
  int InsertString(int index, LPCSTR text) {
    return static_cast<int>(SendMessage(CB_INSERTSTRING, index, reinterpret_cast<LPARAM>(text)));
  }
  int SetCurSel(int index) { return static_cast<int>(SendMessage(CB_SETCURSEL, index)); }
  int GetCurSel() const { return static_cast<int>(SendMessage(CB_GETCURSEL)); }
  int GetCount() const { return static_cast<int>(SendMessage(CB_GETCOUNT)); }
  void ResetContent() { SendMessage(CB_RESETCONTENT); }
};
