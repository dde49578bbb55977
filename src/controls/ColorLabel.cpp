#include "controls/ColorLabel.h"

CColorLabel::CColorLabel()
    : m_textColor(::GetSysColor(COLOR_WINDOWTEXT)), m_backgroundBrush(::GetSysColor(COLOR_BTNFACE)) {
  ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof m_logFont, &m_logFont);
  m_font.CreateFontIndirect(&m_logFont);
}

void CColorLabel::SetBackgroundColor(COLORREF color) {
  m_backgroundBrush.DeleteObject();
  m_backgroundBrush.CreateSolidBrush(color);
}

HBRUSH CColorLabel::CtlColor(CDC* dc, UINT) {
  dc->SelectObject(m_font);
  dc->SetTextColor(m_textColor);
  dc->SetBkMode(TRANSPARENT);
  return m_backgroundBrush;
}
