#pragma once
// A label that behaves like a web link: link colour, red while the mouse is
// over it, a visited colour once opened, underlined always or while hovered,
// a hand cursor and a tooltip. It fits itself to its text and opens its
// target through the shell when clicked, falling back to the registered
// browser, and explains a failure in a message box.

#include <windows.h>

#include "framework/Gdi.h"
#include "framework/Static.h"
#include "framework/String.h"
#include "framework/ToolTipCtrl.h"

class CHyperlinkLabel : public CStatic {
 public:
  CHyperlinkLabel() = default;
  ~CHyperlinkLabel() override;

  void SetUrl(LPCSTR url) { m_url = url; }
  // -1: underlined only while the mouse is over it; 1: always; 0: never.
  void SetUnderline(int mode);
  void SetTipText(LPCSTR text);
  void SetBackgroundColor(COLORREF color) { m_backgroundColor = color; }
  void SetVisited(bool visited = true);

  // Opens url through the shell, else with the browser registered for .htm
  // pages; the result is the shell's code (above 32: opened).
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
  void OnTimer(UINT_PTR id) override;

 private:
  void OnClicked();

  COLORREF m_linkColor = RGB(0, 0, 238);
  COLORREF m_visitedColor = RGB(85, 26, 139);
  COLORREF m_hoverColor = RGB(255, 0, 0);
  bool m_mouseOver = false;
  bool m_visited = false;
  int m_underline = -1;
  bool m_adjustToFit = true;
  CString m_url;
  CFont m_underlineFont;
  CFont m_normalFont;
  HCURSOR m_linkCursor = nullptr;
  CToolTipCtrl m_toolTip;
  static constexpr UINT_PTR kTimerId = 100;
  COLORREF m_backgroundColor = RGB(192, 192, 192);
};
