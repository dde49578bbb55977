#pragma once
// A one-pixel solid pen selected into a DC for one scope.

#include <windows.h>

#include "framework/Gdi.h"

class CPenSelector {
 public:
  CPenSelector(HDC dc, COLORREF color);
  ~CPenSelector();
  CPenSelector(const CPenSelector&) = delete;
  CPenSelector& operator=(const CPenSelector&) = delete;

 private:
  CPen m_pen;
  HDC m_dc;
  HGDIOBJ m_previous;
};
