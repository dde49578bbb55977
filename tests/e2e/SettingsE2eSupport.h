#pragma once
// The keyboard, as a user at the machine uses it on the product's windows:
// real key events through the system's input queue, to the window in front.
// Shared by the Setting, Clear All and About end-to-end tests.

#include <windows.h>

#include <string>

// Brings the window to the front and waits until it is there.
bool BringToFront(HWND window);
// One key press (down and up), with Ctrl or Alt held when asked.
void PressKey(WORD virtualKey, bool ctrl = false, bool alt = false);
// Types plain text (letters, digits and what the keyboard layout has).
void TypeText(const std::string& text);
// Opens a menu of the window with Alt and its mnemonic, then chooses an item
// by its mnemonic.
void ChooseMenuItem(HWND window, char menuKey, char itemKey);

// The text a control of another process holds now (asked with WM_GETTEXT:
// the text the system keeps for an edit box is only the one it started with).
std::string ControlText(HWND dialog, int id);

// The id of the control of `dialog` that has the keyboard focus, or 0.
int FocusedControlId(HWND dialog);
// Presses Tab until the control with `id` has the focus, as a user moves
// through a dialog; false when a full round did not reach it.
bool TabTo(HWND dialog, int id);
