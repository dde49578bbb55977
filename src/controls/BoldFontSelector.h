#pragma once
// Makes the text of one scope bold (weight 700) or normal (400), starting from
// the font already selected in the DC. Only weight 700 counts as bold, so a
// font that already has the wanted boldness is left selected as it is.

#include <windows.h>

#include "framework/Gdi.h"

class CBoldFontSelector {
 public:
  CBoldFontSelector(HDC dc, bool bold);
  ~CBoldFontSelector();
  CBoldFontSelector(const CBoldFontSelector&) = delete;
  CBoldFontSelector& operator=(const CBoldFontSelector&) = delete;

 private:
  CFont m_font;
  HDC m_dc;
  HGDIOBJ m_previous = nullptr;  // null when nothing was selected
};
