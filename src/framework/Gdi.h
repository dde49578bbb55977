#pragma once
// GDI objects and device contexts with one owner each: whatever a wrapper
// created or was given to own is released by its destructor.

#include <windows.h>

#include "framework/Geometry.h"

class CWnd;

// Owns one GDI object (pen, brush, font, bitmap) and deletes it when done.
// The object must not still be selected into a DC at that point.
class CGdiObject {
 public:
  CGdiObject() = default;
  CGdiObject(const CGdiObject&) = delete;
  CGdiObject& operator=(const CGdiObject&) = delete;
  virtual ~CGdiObject() { DeleteObject(); }

  HGDIOBJ m_hObject = nullptr;

  HGDIOBJ GetSafeHandle() const { return m_hObject; }
  // Takes ownership; refused while another object is held.
  BOOL Attach(HGDIOBJ object);
  // Gives up ownership without deleting.
  HGDIOBJ Detach();
  BOOL DeleteObject();
};

class CPen : public CGdiObject {
 public:
  CPen() = default;
  CPen(int style, int width, COLORREF color) { CreatePen(style, width, color); }
  BOOL CreatePen(int style, int width, COLORREF color) { return Attach(::CreatePen(style, width, color)); }
  operator HPEN() const { return static_cast<HPEN>(m_hObject); }
};

class CBrush : public CGdiObject {
 public:
  CBrush() = default;
  explicit CBrush(COLORREF color) { CreateSolidBrush(color); }
  BOOL CreateSolidBrush(COLORREF color) { return Attach(::CreateSolidBrush(color)); }
  operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }
};

class CFont : public CGdiObject {
 public:
  BOOL CreateFontIndirect(const LOGFONTA* font) { return font && Attach(::CreateFontIndirectA(font)); }
  int GetLogFont(LOGFONTA* font) const { return ::GetObjectA(m_hObject, sizeof(LOGFONTA), font); }
  operator HFONT() const { return static_cast<HFONT>(m_hObject); }
};

class CDC;

class CBitmap : public CGdiObject {
 public:
  BOOL CreateCompatibleBitmap(CDC* dc, int width, int height);
  // From the program's own resources.
  BOOL LoadBitmap(UINT resourceId);
  int GetBitmap(BITMAP* info) const { return ::GetObjectA(m_hObject, sizeof(BITMAP), info); }
  operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }
};

// A device context. Attach borrows a DC that someone else releases;
// CreateCompatibleDC makes one that this object deletes. Selections are not
// undone here: callers restore what SelectObject returned.
class CDC {
 public:
  CDC() = default;
  CDC(const CDC&) = delete;
  CDC& operator=(const CDC&) = delete;
  virtual ~CDC();

  HDC m_hDC = nullptr;

  HDC GetSafeHdc() const { return m_hDC; }
  operator HDC() const { return m_hDC; }
  // Borrows dc; refused while another DC is held.
  BOOL Attach(HDC dc);
  HDC Detach();
  BOOL CreateCompatibleDC(CDC* reference);
  BOOL DeleteDC();

  // Returns the previously selected object of the same kind.
  HGDIOBJ SelectObject(HGDIOBJ object) { return ::SelectObject(m_hDC, object); }
  HGDIOBJ SelectStockObject(int index) { return ::SelectObject(m_hDC, ::GetStockObject(index)); }
  int SetBkMode(int mode) { return ::SetBkMode(m_hDC, mode); }
  COLORREF SetBkColor(COLORREF color) { return ::SetBkColor(m_hDC, color); }
  COLORREF SetTextColor(COLORREF color) { return ::SetTextColor(m_hDC, color); }

  // Fills with one colour; the DC's background colour is left as it was.
  void FillSolidRect(LPCRECT rect, COLORREF color);
  void FillSolidRect(int x, int y, int cx, int cy, COLORREF color);
  int FillRect(LPCRECT rect, HBRUSH brush) { return ::FillRect(m_hDC, rect, brush); }
  int FrameRect(LPCRECT rect, HBRUSH brush) { return ::FrameRect(m_hDC, rect, brush); }
  BOOL DrawFocusRect(LPCRECT rect) { return ::DrawFocusRect(m_hDC, rect); }
  // A one-pixel edge: top and left in topLeft, bottom and right in bottomRight.
  void Draw3dRect(LPCRECT rect, COLORREF topLeft, COLORREF bottomRight);
  void Draw3dRect(int x, int y, int cx, int cy, COLORREF topLeft, COLORREF bottomRight);
  BOOL RoundRect(LPCRECT rect, POINT corner) {
    return ::RoundRect(m_hDC, rect->left, rect->top, rect->right, rect->bottom, corner.x, corner.y);
  }
  CPoint MoveTo(int x, int y);
  BOOL LineTo(int x, int y) { return ::LineTo(m_hDC, x, y); }
  BOOL DrawIcon(int x, int y, HICON icon) { return ::DrawIcon(m_hDC, x, y, icon); }
  int DrawText(LPCSTR text, int count, LPRECT rect, UINT format) {
    return ::DrawTextA(m_hDC, text, count, rect, format);
  }
  CSize GetTextExtent(LPCSTR text, int count) const;
  BOOL BitBlt(int x, int y, int width, int height, CDC* source, int xSource, int ySource, DWORD rop) {
    return ::BitBlt(m_hDC, x, y, width, height, source ? source->m_hDC : nullptr, xSource, ySource, rop);
  }
  int GetClipBox(LPRECT rect) const { return ::GetClipBox(m_hDC, rect); }
  int ExcludeClipRect(LPCRECT rect) {
    return ::ExcludeClipRect(m_hDC, rect->left, rect->top, rect->right, rect->bottom);
  }

 private:
  bool m_owned = false;
};

// The DC of one WM_PAINT: BeginPaint on construction, EndPaint on destruction.
class CPaintDC : public CDC {
 public:
  explicit CPaintDC(CWnd* wnd);
  ~CPaintDC() override;
  PAINTSTRUCT m_ps{};

 private:
  HWND m_hWnd;
};

// A window's client-area DC, released on destruction.
class CClientDC : public CDC {
 public:
  explicit CClientDC(CWnd* wnd);
  ~CClientDC() override;

 private:
  HWND m_hWnd;
};
