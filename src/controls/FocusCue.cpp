#include "controls/FocusCue.h"

namespace {

const char kShownProperty[] = "VantrelFocusCueShown";

HWND TopLevelOf(HWND control) { return ::GetAncestor(control, GA_ROOT); }

bool KeyDown(int key) { return (::GetKeyState(key) & 0x8000) != 0; }

bool MouseButtonDown() { return KeyDown(VK_LBUTTON) || KeyDown(VK_RBUTTON) || KeyDown(VK_MBUTTON); }

// Read from the state the thread's current message was sent with, not from
// the hardware, so a key already released still counts.
bool KeyboardKeyDown() {
  BYTE keys[256] = {};
  if (!::GetKeyboardState(keys)) return false;
  for (int key = 0; key < 256; ++key) {
    if (key == VK_LBUTTON || key == VK_RBUTTON || key == VK_MBUTTON || key == VK_XBUTTON1 || key == VK_XBUTTON2)
      continue;
    if (keys[key] & 0x80) return true;
  }
  return false;
}

void SetShown(HWND control, bool shown) {
  const HWND top = TopLevelOf(control);
  if (FocusCueShown(control) == shown) return;
  if (shown)
    ::SetPropA(top, kShownProperty, reinterpret_cast<HANDLE>(1));
  else
    ::RemovePropA(top, kShownProperty);
  if (::GetFocus() == control) ::InvalidateRect(control, nullptr, TRUE);
}

}  // namespace

void TrackFocusCue(HWND control, UINT msg, WPARAM wParam) {
  switch (msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      // Focus given back when a dialog closes keeps the window's state.
      if (msg == WM_SETFOCUS && MouseButtonDown())
        SetShown(control, false);
      else if (msg == WM_SETFOCUS && KeyboardKeyDown())
        SetShown(control, true);
      ::InvalidateRect(control, nullptr, TRUE);
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      SetShown(control, false);
      break;
    case WM_UPDATEUISTATE:
      if (HIWORD(wParam) & UISF_HIDEFOCUS) {
        if (LOWORD(wParam) == UIS_CLEAR) SetShown(control, true);
        if (LOWORD(wParam) == UIS_SET) SetShown(control, false);
      }
      break;
  }
}

bool FocusCueShown(HWND control) { return ::GetPropA(TopLevelOf(control), kShownProperty) != nullptr; }

void DrawFocusCue(HWND control, HDC dc, RECT area, int inset) {
  if (::GetFocus() != control || !FocusCueShown(control)) return;
  ::InflateRect(&area, -inset, -inset);
  // The dotted lines invert what is under them; these colours make them black and white.
  const COLORREF text = ::SetTextColor(dc, RGB(0, 0, 0));
  const COLORREF back = ::SetBkColor(dc, RGB(255, 255, 255));
  ::DrawFocusRect(dc, &area);
  ::SetTextColor(dc, text);
  ::SetBkColor(dc, back);
}
