#pragma once
// A flat owner-drawn push button with an icon left of its caption (centred
// when there is no caption). At rest it shows only its face; while the mouse
// is over it, a raised edge; while pressed, a sunken edge with icon and
// caption moved by one pixel; when disabled, an embossed grey icon and
// caption. Derived classes paint the face and the edge.
//
// Attach it to a button control (SubclassWindow, DDX_Control): it makes the
// control owner-drawn and remembers whether it was the default button. A
// double click counts as a second click.

#include <windows.h>

#include "framework/Button.h"
#include "framework/Gdi.h"
#include "framework/Handle.h"
#include "framework/ToolTipCtrl.h"

class CImageButton : public CButton {
 public:
  CImageButton();

  // Icons from the program's resources; outIconId 0 means the first icon
  // is shown in every state.
  void SetIcons(UINT iconId, UINT outIconId);
  // Takes ownership of both icons. `out`, when given, is shown only while the
  // button is idle.
  void SetIconHandles(HICON in, HICON out);
  void CancelHover();

 protected:
  virtual void OnDrawBackground(CDC* dc, const RECT* rect);
  virtual void OnDrawBorder(CDC* dc, const RECT* rect);

  void PreSubclassWindow() override;
  void DrawItem(LPDRAWITEMSTRUCT item) override;
  BOOL PreTranslateMessage(MSG* msg) override;
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  LRESULT DefWindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  BOOL OnChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
  HBRUSH CtlColor(CDC* dc, UINT ctlType) override;
  void OnMouseMove(UINT flags, CPoint point) override;

  bool m_mouseOver = false;
  bool m_pressed = false;
  bool m_disabled = false;
  bool m_defaultButton = false;
  bool m_checkBoxMode = false;
  int m_checkState = 0;
  COLORREF m_backColour;
  COLORREF m_textColour;

 private:
  struct Icon {
    CIconHandle handle;
    int width = 0;
    int height = 0;
  };
  // Sets measured's size; false when the icon cannot be read.
  static bool MeasureIcon(HICON icon, Icon* measured);
  void DrawIcon(CDC* dc, const RECT& item, bool hasCaption, RECT* captionRect) const;
  void DrawCaption(CDC* dc, const CString& caption, RECT captionRect) const;
  void OnEnable(BOOL enabled);

  Icon m_inIcon;
  Icon m_outIcon;
  // Made on first use and fed the mouse messages; it has no tools, so no tip shows.
  CToolTipCtrl m_toolTip;
};
