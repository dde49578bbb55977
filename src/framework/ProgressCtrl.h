#pragma once
// A progress bar.

#include <windows.h>
#include <commctrl.h>

#include "framework/Wnd.h"

class CProgressCtrl : public CWnd {
 public:
  // PBM_SETRANGE carries 16-bit bounds; SetRange32 takes the full range.
  void SetRange(short lower, short upper) { SendMessage(PBM_SETRANGE, 0, MAKELPARAM(lower, upper)); }
  void SetRange32(int lower, int upper) { SendMessage(PBM_SETRANGE32, lower, upper); }
  // Returns the previous position.
  int SetPos(int position) { return static_cast<int>(SendMessage(PBM_SETPOS, position)); }
  int GetPos() const { return static_cast<int>(SendMessage(PBM_GETPOS)); }
};
