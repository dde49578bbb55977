#include "framework/Gdi.h"

#include "framework/WinApp.h"
#include "framework/Wnd.h"

BOOL CGdiObject::Attach(HGDIOBJ object) {
  if (!object || m_hObject) return FALSE;
  m_hObject = object;
  return TRUE;
}

HGDIOBJ CGdiObject::Detach() {
  HGDIOBJ object = m_hObject;
  m_hObject = nullptr;
  return object;
}

BOOL CGdiObject::DeleteObject() {
  if (!m_hObject) return FALSE;
  const BOOL deleted = ::DeleteObject(Detach());
  return deleted;
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* dc, int width, int height) {
  return dc && Attach(::CreateCompatibleBitmap(dc->m_hDC, width, height));
}

BOOL CBitmap::LoadBitmap(UINT resourceId) {
  return Attach(::LoadBitmapA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(resourceId)));
}

CDC::~CDC() { DeleteDC(); }

BOOL CDC::Attach(HDC dc) {
  if (!dc || m_hDC) return FALSE;
  m_hDC = dc;
  m_owned = false;
  return TRUE;
}

HDC CDC::Detach() {
  HDC dc = m_hDC;
  m_hDC = nullptr;
  m_owned = false;
  return dc;
}

BOOL CDC::CreateCompatibleDC(CDC* reference) {
  if (m_hDC) return FALSE;
  m_hDC = ::CreateCompatibleDC(reference ? reference->m_hDC : nullptr);
  m_owned = m_hDC != nullptr;
  return m_owned;
}

BOOL CDC::DeleteDC() {
  if (!m_hDC) return FALSE;
  const bool owned = m_owned;
  HDC dc = Detach();
  return owned ? ::DeleteDC(dc) : TRUE;
}

void CDC::FillSolidRect(LPCRECT rect, COLORREF color) {
  const COLORREF previous = ::SetBkColor(m_hDC, color);
  ::ExtTextOutA(m_hDC, 0, 0, ETO_OPAQUE, rect, nullptr, 0, nullptr);
  ::SetBkColor(m_hDC, previous);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF color) {
  const RECT rect{x, y, x + cx, y + cy};
  FillSolidRect(&rect, color);
}

void CDC::Draw3dRect(LPCRECT rect, COLORREF topLeft, COLORREF bottomRight) {
  Draw3dRect(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, topLeft, bottomRight);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF topLeft, COLORREF bottomRight) {
  FillSolidRect(x, y, cx - 1, 1, topLeft);
  FillSolidRect(x, y, 1, cy - 1, topLeft);
  FillSolidRect(x + cx - 1, y, 1, cy, bottomRight);
  FillSolidRect(x, y + cy - 1, cx, 1, bottomRight);
}

CPoint CDC::MoveTo(int x, int y) {
  POINT previous{0, 0};
  ::MoveToEx(m_hDC, x, y, &previous);
  return previous;
}

CSize CDC::GetTextExtent(LPCSTR text, int count) const {
  SIZE size{0, 0};
  ::GetTextExtentPoint32A(m_hDC, text, count, &size);
  return size;
}

CPaintDC::CPaintDC(CWnd* wnd) : m_hWnd(wnd ? wnd->m_hWnd : nullptr) {
  if (m_hWnd) Attach(::BeginPaint(m_hWnd, &m_ps));
}

CPaintDC::~CPaintDC() {
  if (m_hWnd && Detach()) ::EndPaint(m_hWnd, &m_ps);
}

CClientDC::CClientDC(CWnd* wnd) : m_hWnd(wnd ? wnd->m_hWnd : nullptr) { Attach(::GetDC(m_hWnd)); }

CClientDC::~CClientDC() {
  if (HDC dc = Detach()) ::ReleaseDC(m_hWnd, dc);
}
