#include "controls/OffscreenDC.h"

COffscreenDC::COffscreenDC(HDC target, const RECT* area) : m_target(target) {
  if (!area || ::IsRectEmpty(area))
    ::GetClipBox(target, &m_area);
  else
    m_area = *area;
  CDC targetDC;
  targetDC.Attach(target);
  CreateCompatibleDC(&targetDC);
  m_bitmap.CreateCompatibleBitmap(&targetDC, m_area.right, m_area.bottom);
  m_oldBitmap = SelectObject(m_bitmap);
  if (m_area.top > 0) {
    const RECT above{0, 0, m_area.right, m_area.top};
    ExcludeClipRect(&above);
  }
  if (m_area.left > 0) {
    const RECT left{0, m_area.top, m_area.left, m_area.bottom};
    ExcludeClipRect(&left);
  }
}

COffscreenDC::~COffscreenDC() {
  ::BitBlt(m_target, m_area.left, m_area.top, m_area.right - m_area.left, m_area.bottom - m_area.top, m_hDC,
           m_area.left, m_area.top, SRCCOPY);
  SelectObject(m_oldBitmap);
}
