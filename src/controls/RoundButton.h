#pragma once
// The OK and Cancel buttons of the small dialogs: rounded corners, a white to
// light blue face, an orange ring while the mouse is over it, and the face
// turned upside down with a white caption while pressed. Where the scheme's
// text would not read on that face, the scheme's own colours. Attach it to a
// push button; it makes the button owner-drawn.

#include <windows.h>

#include "framework/Button.h"
#include "framework/Gdi.h"

class CRoundButton : public CButton {
 public:
  void DrawItem(LPDRAWITEMSTRUCT item) override;

  // Fills target line by line from `from` towards `to`; the steps are taken
  // over the height of area. An area without height draws nothing.
  static void DrawGradient(COLORREF from, COLORREF to, RECT* target, RECT area, CDC* dc);
  // The rounded outline over rect, then a 3-D edge one pixel inside it;
  // rect is left at the edge's rectangle.
  static void DrawFrame(COLORREF topLeft, COLORREF bottomRight, COLORREF outline, RECT* rect, CDC* dc);

 protected:
  void PreSubclassWindow() override;
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void OnMouseMove(UINT flags, CPoint point) override;

 private:
  // Each draws the face and returns the caption's colour.
  COLORREF DrawSchemeFace(CRect r, bool pressed, CDC* dc);
  COLORREF DrawDesignFace(CRect r, bool pressed, CDC* dc);

  bool m_mouseOver = false;
  // What the dialog manager last made it: the one Enter presses when the focus is on no push button.
  bool m_defaultButton = false;
  COLORREF m_outlineColor = RGB(0, 64, 128);
  COLORREF m_hoverRingColor = RGB(255, 120, 80);
  COLORREF m_hoverTextColor = RGB(0, 0, 0);
  COLORREF m_normalTextColor = RGB(0, 0, 0);
  COLORREF m_pressedTextColor = RGB(255, 255, 255);
  COLORREF m_edgeLightColor = RGB(230, 230, 230);
  COLORREF m_edgeDarkColor = RGB(128, 128, 128);
  COLORREF m_gradientTopColor = RGB(255, 255, 255);
  COLORREF m_gradientBottomColor = RGB(93, 185, 255);
};
