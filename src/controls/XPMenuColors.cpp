#include "controls/XPMenuColors.h"

#include "controls/HlsColor.h"
#include "controls/SchemeColors.h"

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
      m_disabledSilhouette(AdjustColor(face, -27, 0)),
      m_selectedText(text),
      m_checkFill(m_hotFill) {}

CXPMenuColors CXPMenuColors::FromSystem() {
  const CXPMenuColors design(GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_HIGHLIGHT), GetSysColor(COLOR_MENUTEXT),
                             GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_3DDKSHADOW));
  return NeedsSchemeColors({design.m_face, design.m_gutter, design.m_background, design.m_hotFill}, design.m_text)
             ? FromScheme()
             : design;
}

CXPMenuColors CXPMenuColors::FromScheme() {
  const COLORREF menu = GetSysColor(COLOR_MENU);
  const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
  const COLORREF text = GetSysColor(COLOR_MENUTEXT);
  const COLORREF grey = GetSysColor(COLOR_GRAYTEXT);
  CXPMenuColors scheme(menu, highlight, text, grey, text);
  scheme.m_gutter = scheme.m_background = scheme.m_disabledHotFill = scheme.m_checkFill = menu;
  scheme.m_separator = scheme.m_disabledSilhouette = grey;
  scheme.m_hotFill = scheme.m_selectedCheckFill = highlight;
  scheme.m_selectedText = scheme.m_hotSilhouette = GetSysColor(COLOR_HIGHLIGHTTEXT);
  return scheme;
}
