#include "controls/StockFontSelector.h"

CStockFontSelector::CStockFontSelector(HDC dc, int stockIndex, COLORREF textColor) : m_dc(dc) {
  Select(stockIndex);
  if (textColor != kKeepTextColor) SetTextColor(textColor);
}

CStockFontSelector::~CStockFontSelector() {
  if (m_previous) ::SelectObject(m_dc, m_previous);
  if (m_savedTextColor != kNoSavedColor) ::SetTextColor(m_dc, m_savedTextColor);
}

void CStockFontSelector::Select(int stockIndex) {
  if (m_previous) ::SelectObject(m_dc, m_previous);
  m_stock = ::GetStockObject(stockIndex & 0xFF);
  m_previous = ::SelectObject(m_dc, m_stock);
}

void CStockFontSelector::SetTextColor(COLORREF color) {
  if (m_savedTextColor == kNoSavedColor) m_savedTextColor = ::GetTextColor(m_dc);
  ::SetTextColor(m_dc, color);
}
