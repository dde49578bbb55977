#pragma once
// Whether an owner-drawn control shows where the keyboard focus is, as the
// system's own controls do: after the focus moved by the keyboard, never
// after a click, so the mouse user keeps the plain look. The state belongs
// to the control's top-level window. The system's WM_QUERYUISTATE does not
// serve here: some platforms keep no state behind it, so it is tracked from
// the input that moved the focus, and from WM_UPDATEUISTATE where it comes.

#include <windows.h>

// For each of the control's messages, before its own handling: notes the
// input behind WM_SETFOCUS, WM_LBUTTONDOWN and WM_UPDATEUISTATE and repaints
// the control when its cue comes or goes.
void TrackFocusCue(HWND control, UINT msg, WPARAM wParam);
// Whether the focused control draws its cue now.
bool FocusCueShown(HWND control);
// The dotted focus rectangle `inset` pixels inside `area`, when shown.
void DrawFocusCue(HWND control, HDC dc, RECT area, int inset);
