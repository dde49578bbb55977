#pragma once
// The colours of the flat menus, all derived from five system colours.

#include <windows.h>

class CXPMenuColors {
 public:
  CXPMenuColors(COLORREF face, COLORREF highlight, COLORREF text, COLORREF shadow, COLORREF dark);
  static CXPMenuColors FromSystem();

  COLORREF m_face;
  COLORREF m_highlight;
  COLORREF m_text;
  COLORREF m_shadow;
  COLORREF m_dark;
  COLORREF m_gutter;              // also the pressed menu-bar title
  COLORREF m_background;
  COLORREF m_separator;           // also disabled text
  COLORREF m_hotFill;             // highlight box and check box
  COLORREF m_disabledHotFill;
  COLORREF m_selectedCheckFill;
  COLORREF m_hotSilhouette;
  COLORREF m_disabledSilhouette;  // also a disabled radio mark
};
