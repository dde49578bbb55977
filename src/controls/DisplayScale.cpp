#include "controls/DisplayScale.h"

int DpiOf(HDC dc) {
  const int dpi = ::GetDeviceCaps(dc, LOGPIXELSY);
  return dpi > 0 ? dpi : 96;
}

int DisplayDpi() {
  HDC screen = ::GetDC(nullptr);
  const int dpi = DpiOf(screen);
  ::ReleaseDC(nullptr, screen);
  return dpi;
}
