#include "controls/ImageButton.h"

#include <commctrl.h>

#include <utility>

#include "controls/DisplayScale.h"
#include "controls/FocusCue.h"
#include "framework/Handle.h"
#include "framework/WinApp.h"

namespace {

const UINT kTypeMask = 0x1F;
// At 96 DPI.
const int kIconMargin = 3;
const int kIconSize = 32;
const int kMaxTipWidth = 400;
const int kFocusInset = 3;

// The image of the display's size, so that a large DPI never stretches a small one.
HICON LoadResourceIcon(UINT id) {
  const int side = ScaleToDpi(kIconSize, DisplayDpi());
  return static_cast<HICON>(
      ::LoadImageA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(id), IMAGE_ICON, side, side, LR_DEFAULTCOLOR));
}

}  // namespace

CImageButton::CImageButton()
    : m_backColour(::GetSysColor(COLOR_BTNFACE)), m_textColour(::GetSysColor(COLOR_BTNTEXT)) {}

bool CImageButton::MeasureIcon(HICON icon, Icon* measured) {
  ICONINFO info{};
  if (!::GetIconInfo(icon, &info)) return false;
  // The copies of the icon's bitmaps that GetIconInfo made are ours to free.
  const CBitmapHandle colour(info.hbmColor);
  const CBitmapHandle mask(info.hbmMask);
  // An icon's hot spot is its centre.
  measured->width = static_cast<int>(info.xHotspot) * 2;
  measured->height = static_cast<int>(info.yHotspot) * 2;
  return true;
}

void CImageButton::SetIcons(UINT iconId, UINT outIconId) {
  SetIconHandles(LoadResourceIcon(iconId), outIconId ? LoadResourceIcon(outIconId) : nullptr);
}

void CImageButton::SetIconHandles(HICON in, HICON out) {
  // Ours from here on; icons that cannot be measured are freed, not shown.
  Icon inIcon{CIconHandle(in)};
  Icon outIcon{CIconHandle(out)};
  m_inIcon = Icon{};
  m_outIcon = Icon{};
  if (in && MeasureIcon(in, &inIcon) && (!out || MeasureIcon(out, &outIcon))) {
    m_inIcon = std::move(inIcon);
    m_outIcon = std::move(outIcon);
  }
  if (m_hWnd) Invalidate();
}

void CImageButton::CancelHover() {
  if (!m_mouseOver) return;
  m_mouseOver = false;
  Invalidate();
}

void CImageButton::OnDrawBackground(CDC* dc, const RECT* rect) {
  // The same system colour serves every state: no custom colours are set.
  dc->FillSolidRect(rect, m_backColour);
}

void CImageButton::OnDrawBorder(CDC* dc, const RECT* rect) {
  const COLORREF light = ::GetSysColor(COLOR_BTNHIGHLIGHT);
  const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
  if (m_pressed)
    dc->Draw3dRect(rect, shadow, light);
  else
    dc->Draw3dRect(rect, light, shadow);
}

void CImageButton::PreSubclassWindow() {
  const DWORD style = GetStyle();
  m_checkBoxMode = (style & 0x2) != 0;
  m_defaultButton = (style & kTypeMask) == BS_DEFPUSHBUTTON;
  ModifyStyle(kTypeMask, BS_OWNERDRAW, SWP_FRAMECHANGED);
  CButton::PreSubclassWindow();
}

void CImageButton::DrawItem(LPDRAWITEMSTRUCT item) {
  CDC dc;
  dc.Attach(item->hDC);
  m_pressed = (item->itemState & ODS_SELECTED) != 0 || (m_checkBoxMode && m_checkState != 0);
  m_disabled = (item->itemState & ODS_DISABLED) != 0;
  dc.SetBkMode(TRANSPARENT);

  const RECT& rect = item->rcItem;
  OnDrawBackground(&dc, &rect);
  if (m_pressed || m_mouseOver) OnDrawBorder(&dc, &rect);

  CString caption;
  GetWindowText(caption);
  RECT captionRect = rect;
  DrawIcon(&dc, rect, !caption.IsEmpty(), &captionRect);
  if (!caption.IsEmpty()) DrawCaption(&dc, caption, captionRect);
  DrawFocusCue(m_hWnd, dc, rect, ScaleToDpi(kFocusInset, DisplayDpi()));
}

void CImageButton::DrawIcon(CDC* dc, const RECT& item, bool hasCaption, RECT* captionRect) const {
  const Icon& icon = !m_pressed && !m_mouseOver && m_outIcon.handle ? m_outIcon : m_inIcon;
  if (!icon.handle) return;
  int x = item.left + (item.right - item.left - icon.width) / 2;
  if (hasCaption) {
    const int margin = ScaleToDpi(kIconMargin, DisplayDpi());
    x = item.left + margin;
    captionRect->left += icon.width + margin;
  }
  int y = item.top + (item.bottom - item.top - icon.height) / 2;
  if (m_pressed && !m_checkBoxMode) {
    ++x;
    ++y;
  }
  ::DrawStateA(*dc, nullptr, nullptr, reinterpret_cast<LPARAM>(icon.handle.Get()), 0, x, y, icon.width, icon.height,
               DST_ICON | (m_disabled ? DSS_DISABLED : 0));
}

void CImageButton::DrawCaption(CDC* dc, const CString& caption, RECT captionRect) const {
  if (m_pressed && !m_checkBoxMode) ::OffsetRect(&captionRect, 1, 1);
  RECT text = captionRect;
  dc->DrawText(caption, -1, &text, DT_WORDBREAK | DT_CENTER | DT_CALCRECT);
  ::OffsetRect(&text, ((captionRect.right - captionRect.left) - (text.right - text.left)) / 2,
               ((captionRect.bottom - captionRect.top) - (text.bottom - text.top)) / 2);
  dc->SetBkMode(TRANSPARENT);
  if (m_disabled) {
    ::OffsetRect(&text, 1, 1);
    dc->SetTextColor(::GetSysColor(COLOR_BTNHIGHLIGHT));
    dc->DrawText(caption, -1, &text, DT_WORDBREAK | DT_CENTER);
    ::OffsetRect(&text, -1, -1);
    dc->SetTextColor(::GetSysColor(COLOR_BTNSHADOW));
  } else {
    dc->SetTextColor(m_textColour);
  }
  dc->DrawText(caption, -1, &text, DT_WORDBREAK | DT_CENTER);
}

BOOL CImageButton::PreTranslateMessage(MSG* msg) {
  if (!m_toolTip.m_hWnd && m_toolTip.Create(this)) {
    m_toolTip.Activate(FALSE);
    m_toolTip.SetMaxTipWidth(kMaxTipWidth);
  }
  if (m_toolTip.m_hWnd) m_toolTip.RelayEvent(msg);
  return CButton::PreTranslateMessage(msg);
}

void CImageButton::OnMouseMove(UINT flags, CPoint point) {
  Default();
  ClientToScreen(&point);
  const HWND under = ::WindowFromPoint(point);
  // A press that began elsewhere does not light the button up.
  if ((flags & MK_LBUTTON) && !m_mouseOver) return;
  if (under != m_hWnd) {
    CancelHover();
    return;
  }
  if (m_mouseOver) return;
  m_mouseOver = true;
  Invalidate();
  TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, m_hWnd, 0};
  ::_TrackMouseEvent(&track);
}

void CImageButton::OnEnable(BOOL enabled) {
  Default();
  if (enabled) return;
  // The system has already taken the focus away from a disabled control;
  // hand it on rather than leave the keyboard nowhere. A focus elsewhere, or
  // in another window, stays where it is.
  if (!::GetFocus() && ::GetActiveWindow() == ::GetAncestor(m_hWnd, GA_ROOT)) {
    const HWND parent = ::GetParent(m_hWnd);
    const HWND next = ::GetNextDlgTabItem(parent, m_hWnd, FALSE);
    ::SetFocus(next && next != m_hWnd ? next : parent);
  }
  CancelHover();
}

LRESULT CImageButton::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  TrackFocusCue(m_hWnd, msg, wParam);
  switch (msg) {
    case WM_KILLFOCUS:
    case WM_CANCELMODE: {
      const LRESULT result = Default();
      CancelHover();
      return result;
    }
    case WM_ACTIVATE: {
      const LRESULT result = Default();
      if (LOWORD(wParam) == WA_INACTIVE) CancelHover();
      return result;
    }
    case WM_ENABLE:
      OnEnable(static_cast<BOOL>(wParam));
      return 0;
    case WM_MOUSELEAVE:
      CancelHover();
      return 0;
    case WM_GETDLGCODE:
      return Default() | (m_defaultButton ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
    case BM_SETSTYLE: {
      const UINT type = wParam & kTypeMask;
      if (type == BS_DEFPUSHBUTTON) m_defaultButton = true;
      if (type == BS_PUSHBUTTON) m_defaultButton = false;
      // Whatever the dialog manager asks for, the button stays owner-drawn.
      return DefWindowProc(msg, (wParam & ~0x14u) | BS_OWNERDRAW, lParam);
    }
    case BM_SETCHECK:
      if (m_checkBoxMode) {
        m_checkState = wParam == BST_CHECKED || wParam == BST_INDETERMINATE ? 1 : 0;
        Invalidate();
      }
      return 0;
    case BM_GETCHECK:
      return m_checkState;
  }
  return CButton::WindowProc(msg, wParam, lParam);
}

LRESULT CImageButton::DefWindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  // An owner-drawn button would report a double click instead of pressing again.
  if (msg == WM_LBUTTONDBLCLK) msg = WM_LBUTTONDOWN;
  return CButton::DefWindowProc(msg, wParam, lParam);
}

BOOL CImageButton::OnChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  if (msg == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
    SetFocus();
    if (m_checkBoxMode) {
      m_checkState = !m_checkState;
      Invalidate();
    }
    // The parent still sees the click.
    return FALSE;
  }
  return CButton::OnChildNotify(msg, wParam, lParam, result);
}

HBRUSH CImageButton::CtlColor(CDC*, UINT) { return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH)); }
