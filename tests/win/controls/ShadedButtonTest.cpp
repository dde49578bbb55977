// Shaded buttons in a real window: a face shaded from bright to dark, lit by a
// free mouse only, raised when lit and sunken when pressed, one click per
// press, and the focus handed on when the focused one is disabled.

#include <gtest/gtest.h>

#include <utility>

#include "ControlTestSupport.h"
#include "controls/ShadedButton.h"

namespace {

const int kWidth = 75;
const int kHeight = 30;

class ProbeButton : public CShadedButton {
 public:
  bool Lit() const { return m_mouseOver; }
};

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

// A visible window at a fixed place that hosts buttons and counts their clicks.
class ButtonHost : public CWnd {
 public:
  ButtonHost() { CreateEx(0, "STATIC", "Host", WS_POPUP | WS_VISIBLE, CRect(100, 100, 400, 300), nullptr, 0); }
  void Add(ProbeButton& button, int x, UINT id) {
    button.CreateEx(0, "BUTTON", "Go", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                    CRect(x, 10, x + kWidth, 10 + kHeight), this, id);
    button.SetShade(5, 8, 20, 5, RGB(55, 55, 255));
  }
  // The top-left and bottom-right pixels of the button drawn as this window is asked to by the system.
  std::pair<COLORREF, COLORREF> Corners(ProbeButton& button, UINT state) {
    MemoryCanvas canvas(kWidth, kHeight, RGB(1, 2, 3));
    DRAWITEMSTRUCT item{ODT_BUTTON, 1, 0, ODA_DRAWENTIRE, state, button, canvas.dc, {0, 0, kWidth, kHeight}, 0};
    SendMessage(WM_DRAWITEM, 1, reinterpret_cast<LPARAM>(&item));
    return {canvas.Pixel(0, 0), canvas.Pixel(kWidth - 1, kHeight - 1)};
  }
  int clicks = 0;

 protected:
  BOOL OnCommand(WPARAM wParam, LPARAM) override {
    clicks += HIWORD(wParam) == BN_CLICKED;
    return TRUE;
  }
};

TEST(ShadedButton, LightsForAFreeMouseOnlyRaisedWhenLitAndSunkenWhenPressed) {
  ButtonHost host;
  ProbeButton button;
  host.Add(button, 10, 1);
  const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT), shadow = GetSysColor(COLOR_BTNSHADOW);
  // At rest no edge: the face runs from bright on the left to dark and blue-tinted on the right.
  const auto [restLeft, restRight] = host.Corners(button, 0);
  EXPECT_GT(Brightness(restLeft), Brightness(restRight) + 120);
  EXPECT_GT(GetBValue(restRight), GetRValue(restRight));

  button.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(5, 5));  // a press begun elsewhere
  EXPECT_FALSE(button.Lit());
  button.SendMessage(WM_MOUSEMOVE, 0, At(5, 5));
  EXPECT_TRUE(button.Lit());
  EXPECT_EQ(host.Corners(button, 0), std::make_pair(light, shadow));
  EXPECT_EQ(host.Corners(button, ODS_SELECTED), std::make_pair(shadow, light));
  button.SendMessage(WM_MOUSEMOVE, 0, At(kWidth + 20, 5));
  EXPECT_FALSE(button.Lit());
}

TEST(ShadedButton, ADoubleClickIsTwoClicksAndDisablingTheFocusedOneHandsTheFocusOn) {
  ButtonHost host;
  ProbeButton first, second, third;
  host.Add(first, 10, 1);
  host.Add(second, 90, 2);
  host.Add(third, 170, 3);
  for (UINT press : {WM_LBUTTONDOWN, WM_LBUTTONDBLCLK}) {
    first.SendMessage(press, MK_LBUTTON, At(5, 5));
    first.SendMessage(WM_LBUTTONUP, 0, At(5, 5));
  }
  EXPECT_EQ(host.clicks, 2);

  first.SetFocus();
  second.EnableWindow(FALSE);  // not focused: the focus stays
  EXPECT_EQ(GetFocus(), first.m_hWnd);
  first.EnableWindow(FALSE);
  EXPECT_EQ(GetFocus(), third.m_hWnd);
}

}  // namespace
