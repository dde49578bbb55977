#include "controls/XPMenuColors.h"

#include "controls/HlsColor.h"

CXPMenuColors::CXPMenuColors(COLORREF face, COLORREF highlight, COLORREF text, COLORREF shadow, COLORREF dark)
    : m_face(face),
      m_highlight(highlight),
      m_text(text),
      m_shadow(shadow),
      m_dark(dark),
      m_gutter(AdjustColor(face, 20, 0)),
      m_background(AdjustColor(face, 75, 0)),
      m_separator(AdjustColor(face, -18, 0)),
      m_hotFill(AdjustColor(highlight, 70, -57)),
      m_disabledHotFill(AdjustColor(face, 73, 0)),
      m_selectedCheckFill(AdjustColor(highlight, 50, -50)),
      m_hotSilhouette(AdjustColor(highlight, 50, -66)),
      m_disabledSilhouette(AdjustColor(face, -27, 0)) {}

CXPMenuColors CXPMenuColors::FromSystem() {
  return CXPMenuColors(GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_HIGHLIGHT), GetSysColor(COLOR_MENUTEXT),
                       GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_3DDKSHADOW));
}
