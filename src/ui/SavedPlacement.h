#pragma once
// The main window's size, place and maximized state in Config.ini's
// [Setting] section, in screen pixels.

#include <windows.h>

#include "base/Settings.h"

// Moves the window to the remembered place (brought onto a screen when it is
// off every one, never smaller than `minimum`) and maximizes it when it was;
// leaves it as it is when nothing is remembered.
void RestoreWindowPlace(HWND window, const WindowPlace& remembered, SIZE minimum);
// normal: the window's rectangle when last neither maximized nor minimized.
WindowPlace PlaceToRemember(HWND window, const RECT& normal);
