#include "controls/PenSelector.h"

CPenSelector::CPenSelector(HDC dc, COLORREF color)
    : m_pen(PS_SOLID, 1, color), m_dc(dc), m_previous(::SelectObject(dc, m_pen)) {}

CPenSelector::~CPenSelector() { ::SelectObject(m_dc, m_previous); }
