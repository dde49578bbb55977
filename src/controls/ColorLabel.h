#pragma once
// A plain label with a font, a text colour and a background of its own,
// applied through its parent's reflected WM_CTLCOLORSTATIC. Where its
// background would leave the scheme's text unreadable, the scheme's window
// colours.

#include <windows.h>

#include "framework/Gdi.h"
#include "framework/Static.h"

class CColorLabel : public CStatic {
 public:
  CColorLabel();

  void SetBackgroundColor(COLORREF color);

 protected:
  HBRUSH CtlColor(CDC* dc, UINT ctlType) override;

 private:
  COLORREF m_textColor;
  COLORREF m_backgroundColor;
  CBrush m_backgroundBrush;
  LOGFONTA m_logFont{};
  CFont m_font;
};
