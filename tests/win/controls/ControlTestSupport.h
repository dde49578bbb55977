#pragma once
// A screen-format bitmap in a memory DC for a control to draw into, with its
// pixels read back; colours come back exactly on a true-colour display.

#include "framework/Gdi.h"

inline int Brightness(COLORREF colour) { return GetRValue(colour) + GetGValue(colour) + GetBValue(colour); }

class MemoryCanvas {
 public:
  MemoryCanvas(int width, int height, COLORREF fill) {
    CClientDC screen(nullptr);
    dc.CreateCompatibleDC(&screen);
    m_bitmap.CreateCompatibleBitmap(&screen, width, height);
    m_oldBitmap = dc.SelectObject(m_bitmap);
    dc.FillSolidRect(0, 0, width, height, fill);
  }
  ~MemoryCanvas() { dc.SelectObject(m_oldBitmap); }

  COLORREF Pixel(int x, int y) const { return ::GetPixel(dc, x, y); }
  CDC dc;

 private:
  CBitmap m_bitmap;
  HGDIOBJ m_oldBitmap;
};
