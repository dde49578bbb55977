#pragma once
// A stock object (a font above all) and optionally a text colour, put in a DC
// for one scope; both are put back as they were.

#include <windows.h>

class CStockFontSelector {
 public:
  static constexpr COLORREF kKeepTextColor = 0xFF000000;

  CStockFontSelector(HDC dc, int stockIndex, COLORREF textColor = kKeepTextColor);
  ~CStockFontSelector();
  CStockFontSelector(const CStockFontSelector&) = delete;
  CStockFontSelector& operator=(const CStockFontSelector&) = delete;

  // Puts back what this object replaced, then selects the other stock object.
  void Select(int stockIndex);
  // The first call keeps the DC's own colour for the destructor.
  void SetTextColor(COLORREF color);

 private:
  static constexpr COLORREF kNoSavedColor = 0xFFFFFFFF;

  HGDIOBJ m_stock = nullptr;
  HDC m_dc;
  HGDIOBJ m_previous = nullptr;
  COLORREF m_savedTextColor = kNoSavedColor;
};
