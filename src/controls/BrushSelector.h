#pragma once
// A solid brush, or the hollow stock brush for kHollowBrush, selected into a
// DC for one scope.

#include <windows.h>

#include "framework/Gdi.h"

class CBrushSelector {
 public:
  static constexpr COLORREF kHollowBrush = 0xFFFFFFFF;

  CBrushSelector(HDC dc, COLORREF color);
  ~CBrushSelector();
  CBrushSelector(const CBrushSelector&) = delete;
  CBrushSelector& operator=(const CBrushSelector&) = delete;

 private:
  CBrush m_brush;  // empty for the hollow brush, which is the system's
  HDC m_dc;
  HGDIOBJ m_previous;
};
