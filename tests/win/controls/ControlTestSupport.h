#pragma once
// A screen-format bitmap in a memory DC for a control to draw into, with its
// pixels read back; colours come back exactly on a true-colour display.

#include <windows.h>

class MemoryCanvas {
 public:
  MemoryCanvas(int width, int height, COLORREF fill) {
    HDC screen = ::GetDC(nullptr);
    m_dc = ::CreateCompatibleDC(screen);
    m_bitmap = ::CreateCompatibleBitmap(screen, width, height);
    ::ReleaseDC(nullptr, screen);
    m_oldBitmap = ::SelectObject(m_dc, m_bitmap);
    const RECT all{0, 0, width, height};
    HBRUSH brush = ::CreateSolidBrush(fill);
    ::FillRect(m_dc, &all, brush);
    ::DeleteObject(brush);
  }
  ~MemoryCanvas() {
    ::SelectObject(m_dc, m_oldBitmap);
    ::DeleteObject(m_bitmap);
    ::DeleteDC(m_dc);
  }
  MemoryCanvas(const MemoryCanvas&) = delete;
  MemoryCanvas& operator=(const MemoryCanvas&) = delete;

  HDC dc() const { return m_dc; }
  COLORREF Pixel(int x, int y) const { return ::GetPixel(m_dc, x, y); }

 private:
  HDC m_dc;
  HBITMAP m_bitmap;
  HGDIOBJ m_oldBitmap;
};
