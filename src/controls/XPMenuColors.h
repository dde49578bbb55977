#pragma once
// The colours of the flat menus, all derived from five system colours, or
// the scheme's own where the derived ones would leave its text unreadable.

#include <windows.h>

class CXPMenuColors {
 public:
  CXPMenuColors(COLORREF face, COLORREF highlight, COLORREF text, COLORREF shadow, COLORREF dark);
  static CXPMenuColors FromSystem();
  // Menu text on menu, highlight text on highlight.
  static CXPMenuColors FromScheme();

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
  COLORREF m_selectedText;        // on the highlight box
  COLORREF m_checkFill;           // check box of an item not highlighted
};
