#include "controls/BoldFontSelector.h"

namespace {
const LONG kBold = FW_BOLD;
}

CBoldFontSelector::CBoldFontSelector(HDC dc, bool bold) : m_dc(dc) {
  LOGFONTA font{};
  ::GetObjectA(::GetCurrentObject(dc, OBJ_FONT), sizeof(font), &font);
  if ((font.lfWeight == kBold) == bold) return;
  font.lfWeight = bold ? kBold : FW_NORMAL;
  m_font.CreateFontIndirect(&font);
  m_previous = ::SelectObject(dc, m_font);
}

CBoldFontSelector::~CBoldFontSelector() {
  if (m_previous) ::SelectObject(m_dc, m_previous);
}
