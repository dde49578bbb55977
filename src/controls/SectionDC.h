#pragma once
// A top-down 32-bit DIB section selected into a memory DC of its own for as
// long as both live: its pixels, blue, green, red and alpha, can be written
// and read directly, and it can be drawn from and drawn into.

#include <windows.h>

#include <cstdint>

#include "framework/Handle.h"

class CSectionDC {
 public:
  CSectionDC(int width, int height);
  ~CSectionDC();
  CSectionDC(const CSectionDC&) = delete;
  CSectionDC& operator=(const CSectionDC&) = delete;

  HDC Dc() const { return m_dc; }
  // Null when the section or the DC could not be made.
  uint8_t* Bits() const { return m_bits; }

 private:
  CBitmapHandle m_bitmap;
  HDC m_dc = nullptr;
  HGDIOBJ m_previous = nullptr;
  uint8_t* m_bits = nullptr;
};
