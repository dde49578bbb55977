#pragma once
// The pale background the program's own dialogs share: painted over the
// whole client area, and the brush of the static controls that stand on it.

#include <windows.h>

#include "framework/Dialog.h"
#include "framework/Gdi.h"

class CPaleDialog : public CDialog {
 public:
  static constexpr COLORREF kPaleColor = RGB(240, 248, 255);

 protected:
  explicit CPaleDialog(UINT templateId, CWnd* parent = nullptr);

  // What OnPaint fills with; a dialog that yields to the colour scheme
  // answers otherwise.
  virtual COLORREF BackgroundColor() const { return kPaleColor; }
  void OnPaint() override;
  // For OnCtlColor: a static control drawn straight on the pale colour in textColor.
  HBRUSH OnPale(CDC* dc, COLORREF textColor);

 private:
  CBrush m_paleBrush;
};
