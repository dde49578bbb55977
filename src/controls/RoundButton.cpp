#include "controls/RoundButton.h"

#include <commctrl.h>

#include "controls/BrushSelector.h"
#include "controls/DisplayScale.h"
#include "controls/FocusCue.h"
#include "controls/PenSelector.h"
#include "controls/SchemeColors.h"

namespace {

const POINT kCorner{3, 3};
const UINT kTypeMask = 0x1F;
const int kFocusInset = 3;

// Each channel moves by the same byte step on every line, wrapping as a byte does.
BYTE Stepped(BYTE channel, int step) { return static_cast<BYTE>(channel - step); }

// The ring's light end: green and blue raised by 100, wrapping as bytes.
COLORREF RingLight(COLORREF ring) {
  return RGB(GetRValue(ring), static_cast<BYTE>(GetGValue(ring) + 100), static_cast<BYTE>(GetBValue(ring) + 100));
}

}  // namespace

void CRoundButton::PreSubclassWindow() {
  m_defaultButton = (GetStyle() & kTypeMask) == BS_DEFPUSHBUTTON;
  SendMessage(BM_SETSTYLE, (GetStyle() & 0xFF) | BS_OWNERDRAW, TRUE);
  CButton::PreSubclassWindow();
}

void CRoundButton::DrawGradient(COLORREF from, COLORREF to, RECT* target, RECT area, CDC* dc) {
  const int height = area.bottom - area.top;
  // The hover ring's inner face is 6 pixels lower than the button: a tiny
  // button would otherwise divide by zero here.
  if (height <= 0) return;
  const int redStep = (GetRValue(from) - GetRValue(to)) / height;
  const int greenStep = (GetGValue(from) - GetGValue(to)) / height;
  const int blueStep = (GetBValue(from) - GetBValue(to)) / height;
  BYTE red = GetRValue(from), green = GetGValue(from), blue = GetBValue(from);
  for (int i = 0; i < target->bottom - target->top; ++i) {
    red = Stepped(red, redStep);
    green = Stepped(green, greenStep);
    blue = Stepped(blue, blueStep);
    CPenSelector pen(*dc, RGB(red, green, blue));
    dc->MoveTo(target->left, target->top + i);
    dc->LineTo(target->right, target->top + i);
  }
}

void CRoundButton::DrawFrame(COLORREF topLeft, COLORREF bottomRight, COLORREF outline, RECT* rect, CDC* dc) {
  {
    CPenSelector pen(*dc, outline);
    CBrushSelector hollow(*dc, CBrushSelector::kHollowBrush);
    dc->RoundRect(rect, kCorner);
  }
  ::InflateRect(rect, -1, -1);
  dc->Draw3dRect(rect, topLeft, bottomRight);
}

void CRoundButton::DrawItem(LPDRAWITEMSTRUCT item) {
  CDC dc;
  dc.Attach(item->hDC);
  const CRect r = item->rcItem;
  dc.SetBkMode(TRANSPARENT);
  CString caption;
  GetWindowText(caption);

  const bool pressed = (item->itemState & ODS_SELECTED) != 0;
  const COLORREF textColor =
      NeedsSchemeColors({m_gradientTopColor, m_gradientBottomColor}, ::GetSysColor(COLOR_BTNTEXT))
          ? DrawSchemeFace(r, pressed, &dc)
          : DrawDesignFace(r, pressed, &dc);

  dc.SetTextColor(textColor);
  dc.DrawText(caption, -1, &item->rcItem, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  DrawFocusCue(m_hWnd, dc, item->rcItem, ScaleToDpi(kFocusInset, DisplayDpi()));
  dc.Detach();
}

// Button text on button face, highlight text on highlight while pressed; a
// highlight outline while the mouse is over it.
COLORREF CRoundButton::DrawSchemeFace(CRect r, bool pressed, CDC* dc) {
  m_mouseOver = m_mouseOver && !pressed;
  const int face = pressed ? COLOR_HIGHLIGHT : COLOR_BTNFACE;
  CPenSelector pen(*dc, ::GetSysColor(m_mouseOver ? COLOR_HIGHLIGHT : COLOR_BTNTEXT));
  CBrushSelector brush(*dc, ::GetSysColor(face));
  dc->RoundRect(r, kCorner);
  if (m_mouseOver) {
    r.DeflateRect(1, 1);
    CBrushSelector hollow(*dc, CBrushSelector::kHollowBrush);
    dc->RoundRect(r, kCorner);
  }
  return ::GetSysColor(pressed ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT);
}

COLORREF CRoundButton::DrawDesignFace(CRect r, bool pressed, CDC* dc) {
  COLORREF textColor;
  if (pressed) {
    m_mouseOver = false;
    DrawGradient(m_gradientBottomColor, m_gradientTopColor, r, r, dc);
    DrawFrame(m_edgeDarkColor, m_edgeDarkColor, m_outlineColor, r, dc);
    textColor = m_pressedTextColor;
  } else {
    DrawGradient(m_gradientTopColor, m_gradientBottomColor, r, r, dc);
    DrawFrame(m_edgeLightColor, m_edgeDarkColor, m_outlineColor, r, dc);
    textColor = m_normalTextColor;
  }

  if (m_mouseOver) {
    CRect face = r;
    face.DeflateRect(2, 2);
    DrawGradient(RingLight(m_hoverRingColor), m_hoverRingColor, r, r, dc);
    DrawGradient(m_gradientTopColor, m_gradientBottomColor, face, face, dc);
    r.InflateRect(1, 1);
    CPenSelector pen(*dc, m_outlineColor);
    CBrushSelector hollow(*dc, CBrushSelector::kHollowBrush);
    dc->RoundRect(r, kCorner);
    textColor = m_hoverTextColor;
  }
  return textColor;
}

LRESULT CRoundButton::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  TrackFocusCue(m_hWnd, msg, wParam);
  switch (msg) {
    case WM_MOUSELEAVE:
      m_mouseOver = false;
      Invalidate();
      return 0;
    // An owner-drawn button says only that it is a button; as a push button
    // it gets Enter while it has the focus, as every dialog's buttons do.
    case WM_GETDLGCODE: {
      const bool pressedByEnter = m_defaultButton || ::GetFocus() == m_hWnd;
      return CButton::WindowProc(msg, wParam, lParam) | (pressedByEnter ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
    }
    case BM_SETSTYLE: {
      const UINT type = wParam & kTypeMask;
      if (type == BS_DEFPUSHBUTTON) m_defaultButton = true;
      if (type == BS_PUSHBUTTON) m_defaultButton = false;
      // Whatever the dialog manager asks for, the button stays owner-drawn.
      return DefWindowProc(msg, (wParam & ~kTypeMask) | BS_OWNERDRAW, lParam);
    }
  }
  return CButton::WindowProc(msg, wParam, lParam);
}

void CRoundButton::OnMouseMove(UINT flags, CPoint point) {
  if (!m_mouseOver) {
    m_mouseOver = true;
    Invalidate();
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, m_hWnd, HOVER_DEFAULT};
    ::_TrackMouseEvent(&track);
  }
  CButton::OnMouseMove(flags, point);
}
