#include "controls/BrushSelector.h"

namespace {

HGDIOBJ BrushFor(CBrush& brush, COLORREF color) {
  if (color == CBrushSelector::kHollowBrush) return ::GetStockObject(NULL_BRUSH);
  brush.CreateSolidBrush(color);
  return brush.GetSafeHandle();
}

}  // namespace

CBrushSelector::CBrushSelector(HDC dc, COLORREF color)
    : m_dc(dc), m_previous(::SelectObject(dc, BrushFor(m_brush, color))) {}

CBrushSelector::~CBrushSelector() { ::SelectObject(m_dc, m_previous); }
