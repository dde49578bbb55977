#include "controls/ColorLabel.h"

#include "controls/SchemeColors.h"

CColorLabel::CColorLabel()
    : m_textColor(::GetSysColor(COLOR_WINDOWTEXT)),
      m_backgroundColor(::GetSysColor(COLOR_BTNFACE)),
      m_backgroundBrush(m_backgroundColor) {
  ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof m_logFont, &m_logFont);
  m_font.CreateFontIndirect(&m_logFont);
}

void CColorLabel::SetBackgroundColor(COLORREF color) {
  m_backgroundColor = color;
  m_backgroundBrush.DeleteObject();
  m_backgroundBrush.CreateSolidBrush(color);
}

HBRUSH CColorLabel::CtlColor(CDC* dc, UINT) {
  dc->SelectObject(m_font);
  dc->SetBkMode(TRANSPARENT);
  if (NeedsSchemeColors({m_backgroundColor}, m_textColor)) {
    dc->SetTextColor(::GetSysColor(COLOR_WINDOWTEXT));
    return ::GetSysColorBrush(COLOR_WINDOW);
  }
  dc->SetTextColor(m_textColor);
  return m_backgroundBrush;
}
