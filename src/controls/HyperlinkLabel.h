#pragma once
// A label that behaves like a web link: link colour, red while the mouse is
// over it, a visited colour once opened, underlined always or while hovered,
// a hand cursor and a tooltip. It fits itself to its text, is a tab stop
// that shows the focus, and opens its target through the shell when clicked
// or when Enter or Space is pressed on it, explaining a failure in a message
// box. Where its background would leave the scheme's text unreadable, it
// takes the scheme's window and link colours.

#include <windows.h>

#include "framework/Gdi.h"
#include "framework/Static.h"
#include "framework/String.h"
#include "framework/ToolTipCtrl.h"

class CHyperlinkLabel : public CStatic {
 public:
  CHyperlinkLabel() = default;

  void SetUrl(LPCSTR url) { m_url = url; }
  // When the link is underlined; SetUnderline takes one of these.
  enum Underline { kUnderlineWhileHovered = -1, kUnderlineNever = 0, kUnderlineAlways = 1 };
  void SetUnderline(int mode);
  void SetTipText(LPCSTR text);
  void SetBackgroundColor(COLORREF color) { m_backgroundColor = color; }
  void SetVisited(bool visited = true);

  // Opens url through the shell; the result is the shell's code (above 32: opened).
  static int GotoUrl(LPCSTR url, int showCommand);
  // The text ReportError shows for a shell result code.
  static CString ErrorMessage(int code);
  static void ReportError(int code);

  void PositionWindow();
  void SetDefaultCursor();
  BOOL PreTranslateMessage(MSG* msg) override;

 protected:
  void PreSubclassWindow() override;
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  BOOL OnChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
  HBRUSH CtlColor(CDC* dc, UINT ctlType) override;
  void OnMouseMove(UINT flags, CPoint point) override;

 private:
  void OnClicked();
  void OnMouseLeave();
  LRESULT DialogCode(WPARAM wParam, const MSG* msg);
  bool SchemeColors() const;

  COLORREF m_linkColor = RGB(0, 0, 238);
  COLORREF m_visitedColor = RGB(85, 26, 139);
  COLORREF m_hoverColor = RGB(255, 0, 0);
  bool m_mouseOver = false;
  bool m_visited = false;
  int m_underline = kUnderlineWhileHovered;
  bool m_adjustToFit = true;
  CString m_url;
  CFont m_underlineFont;
  CFont m_normalFont;
  // The system's shared cursor: never destroyed.
  HCURSOR m_linkCursor = nullptr;
  CToolTipCtrl m_toolTip;
  COLORREF m_backgroundColor = RGB(192, 192, 192);
};
