#include "controls/HyperlinkLabel.h"

#include <shellapi.h>

#include "controls/FocusCue.h"
#include "controls/SchemeColors.h"
#include "framework/WinApp.h"

namespace {

const UINT_PTR kTipId = 1;

struct ErrorText {
  int code;
  const char* text;
};

const ErrorText kErrorTexts[] = {
    {0, "The operating system is out\nof memory or resources."},
    {2, "The specified file was not found."},
    {3, "The specified path was not found."},
    {5, "The operating system denied\naccess to the specified file."},
    {8, "There was not enough memory to complete the operation."},
    {11, "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image)."},
    {26, "A sharing violation occurred. "},
    {27, "The filename association is\nincomplete or invalid."},
    {28, "The DDE transaction could not\nbe completed because the request timed out."},
    {29, "The DDE transaction failed."},
    {30, "The DDE transaction could not\nbe completed because other DDE transactions\nwere being processed."},
    {31, "There is no application associated\nwith the given filename extension."},
    {32, "The specified dynamic-link library was not found."},
};

}  // namespace

void CHyperlinkLabel::PreSubclassWindow() {
  ::SetWindowLongA(m_hWnd, GWL_STYLE, static_cast<LONG>(GetStyle() | SS_NOTIFY | WS_TABSTOP));

  CString text;
  GetWindowText(text);
  if (m_url.IsEmpty()) m_url = text;
  if (text.IsEmpty()) SetWindowText(m_url);

  HGDIOBJ base = GetFont();
  if (!base) base = ::GetStockObject(DEFAULT_GUI_FONT);
  if (!base) base = ::GetStockObject(ANSI_VAR_FONT);
  LOGFONTA font{};
  ::GetObjectA(base, sizeof font, &font);
  m_normalFont.CreateFontIndirect(&font);
  font.lfUnderline = TRUE;
  m_underlineFont.CreateFontIndirect(&font);

  PositionWindow();
  SetDefaultCursor();
  SetUnderline(kUnderlineWhileHovered);

  m_toolTip.Create(this);
  m_toolTip.AddTool(this, m_url, nullptr, kTipId);
  CStatic::PreSubclassWindow();
}

void CHyperlinkLabel::SetUnderline(int mode) {
  if (mode != m_underline && m_hWnd) {
    SetFont(mode == kUnderlineAlways ? m_underlineFont : m_normalFont, TRUE);
    Invalidate();
  }
  m_underline = mode;
}

void CHyperlinkLabel::SetTipText(LPCSTR text) {
  if (!m_hWnd) return;
  PositionWindow();
  m_toolTip.UpdateTipText(text, this, kTipId);
}

void CHyperlinkLabel::SetVisited(bool visited) {
  m_visited = visited;
  if (m_hWnd) Invalidate();
}

void CHyperlinkLabel::PositionWindow() {
  if (!m_hWnd || !m_adjustToFit) return;
  HWND parent = ::GetParent(m_hWnd);
  CRect window;
  GetWindowRect(&window);
  CRect client;
  GetClientRect(&client);
  ClientToScreen(&client);
  ::MapWindowPoints(nullptr, parent, reinterpret_cast<LPPOINT>(&window), 2);
  ::MapWindowPoints(nullptr, parent, reinterpret_cast<LPPOINT>(&client), 2);

  CString text;
  GetWindowText(text);
  CSize extent;
  {
    CClientDC dc(this);
    HGDIOBJ previous = dc.SelectObject(m_underlineFont);
    extent = dc.GetTextExtent(text, text.GetLength());
    dc.SelectObject(previous);
  }
  const int width = extent.cx + window.Width() - client.Width();
  const int height = extent.cy + window.Height() - client.Height();

  const DWORD style = GetStyle();
  if (style & SS_CENTERIMAGE)
    window.InflateRect(0, -(window.Height() - height) / 2);
  else
    window.bottom = window.top + height;
  if (style & SS_CENTER)
    window.InflateRect(-(window.Width() - width) / 2, 0);
  else if (style & SS_RIGHT)
    window.left = window.right - width;
  else
    window.right = window.left + width;
  SetWindowPos(nullptr, window.left, window.top, window.Width(), window.Height(), SWP_NOZORDER);
}

void CHyperlinkLabel::SetDefaultCursor() {
  if (!m_linkCursor) m_linkCursor = ::LoadCursorA(nullptr, IDC_HAND);
}

BOOL CHyperlinkLabel::PreTranslateMessage(MSG* msg) {
  if (m_toolTip.m_hWnd) m_toolTip.RelayEvent(msg);
  return CStatic::PreTranslateMessage(msg);
}

LRESULT CHyperlinkLabel::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  TrackFocusCue(m_hWnd, msg, wParam);
  switch (msg) {
    case WM_SETCURSOR:
      if (!m_linkCursor) break;
      ::SetCursor(m_linkCursor);
      return TRUE;
    case WM_ERASEBKGND: {
      CDC dc;
      dc.Attach(reinterpret_cast<HDC>(wParam));
      CRect client;
      GetClientRect(&client);
      dc.FillSolidRect(&client, SchemeColors() ? ::GetSysColor(COLOR_WINDOW) : m_backgroundColor);
      dc.Detach();
      return TRUE;
    }
    case WM_PAINT: {
      const LRESULT result = CStatic::WindowProc(msg, wParam, lParam);
      CClientDC dc(this);
      CRect client;
      GetClientRect(&client);
      DrawFocusCue(m_hWnd, dc, client, 0);
      return result;
    }
    case WM_GETDLGCODE:
      return DialogCode(wParam, reinterpret_cast<const MSG*>(lParam));
    case WM_KEYDOWN:
      if (wParam == VK_RETURN || wParam == VK_SPACE) {
        OnClicked();
        return 0;
      }
      break;
    case WM_CHAR:
      if (wParam == VK_RETURN || wParam == VK_SPACE) return 0;
      break;
    case WM_MOUSELEAVE:
      OnMouseLeave();
      return 0;
  }
  return CStatic::WindowProc(msg, wParam, lParam);
}

// Enter and Space come to the link itself instead of the dialog's default button.
LRESULT CHyperlinkLabel::DialogCode(WPARAM wParam, const MSG* msg) {
  const LRESULT code = CStatic::WindowProc(WM_GETDLGCODE, wParam, reinterpret_cast<LPARAM>(msg));
  const bool opens = msg && (msg->message == WM_KEYDOWN || msg->message == WM_CHAR) &&
                     (msg->wParam == VK_RETURN || msg->wParam == VK_SPACE);
  return opens ? code | DLGC_WANTMESSAGE : code;
}

bool CHyperlinkLabel::SchemeColors() const {
  return NeedsSchemeColors({m_backgroundColor}, ::GetSysColor(COLOR_WINDOWTEXT));
}

BOOL CHyperlinkLabel::OnChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  if (msg == WM_COMMAND && HIWORD(wParam) == STN_CLICKED) {
    OnClicked();
    *result = 0;
    return TRUE;
  }
  return CStatic::OnChildNotify(msg, wParam, lParam, result);
}

HBRUSH CHyperlinkLabel::CtlColor(CDC* dc, UINT) {
  const COLORREF design = m_mouseOver ? m_hoverColor : m_visited ? m_visitedColor : m_linkColor;
  dc->SetTextColor(SchemeColors() ? SchemeLinkColor() : design);
  dc->SetBkMode(TRANSPARENT);
  return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
}

void CHyperlinkLabel::OnMouseMove(UINT flags, CPoint point) {
  if (!m_mouseOver) {
    m_mouseOver = true;
    if (m_underline == kUnderlineWhileHovered) SetFont(m_underlineFont, TRUE);
    Invalidate();
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, m_hWnd, HOVER_DEFAULT};
    ::TrackMouseEvent(&track);
  }
  CStatic::OnMouseMove(flags, point);
}

void CHyperlinkLabel::OnMouseLeave() {
  m_mouseOver = false;
  if (m_underline != kUnderlineAlways) SetFont(m_normalFont, TRUE);
  Invalidate();
}

void CHyperlinkLabel::OnClicked() {
  m_mouseOver = false;
  const int result = GotoUrl(m_url, SW_SHOW);
  if (result > 32) {
    SetVisited(true);
    return;
  }
  ::MessageBeep(MB_ICONEXCLAMATION);
  ReportError(result);
}

int CHyperlinkLabel::GotoUrl(LPCSTR url, int showCommand) {
  return static_cast<int>(
      reinterpret_cast<INT_PTR>(::ShellExecuteA(nullptr, "open", url, nullptr, nullptr, showCommand)));
}

CString CHyperlinkLabel::ErrorMessage(int code) {
  CString message = "Unable to open hyperlink:\n\n";
  for (const ErrorText& known : kErrorTexts)
    if (known.code == code) return message + known.text;
  CString unknown;
  unknown.Format("Unknown Error (%d) occurred.", code);
  return message + unknown;
}

void CHyperlinkLabel::ReportError(int code) { AfxMessageBox(ErrorMessage(code), MB_ICONEXCLAMATION); }
