#pragma once
// Sizes drawn for 96 DPI, scaled to the display's. The program is system DPI
// aware, so the system no longer stretches it: every pixel size it draws
// (pictures, menu items, margins) is scaled here instead.

#include <windows.h>

// The display's DPI as the device context reports it (96 at 100%).
int DpiOf(HDC dc);
// The DPI of the screen.
int DisplayDpi();
// A length given for 96 DPI, at `dpi`.
inline int ScaleToDpi(int pixelsAt96, int dpi) { return MulDiv(pixelsAt96, dpi, 96); }
