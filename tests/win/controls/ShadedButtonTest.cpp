// Shaded buttons in a real window: a face shaded from bright to dark, lit by a
// free mouse only, raised when lit and sunken when pressed, one click per
// press, and the focus handed on when the focused one is disabled.

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
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

using Shades = std::array<COLORREF, 3>;
Shades Entries(const CPaletteDib& t) { return {t.GetPaletteEntry(64), t.GetPaletteEntry(128), t.GetPaletteEntry(255)}; }

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
  // At rest no edge, only the face: bright on the left, dark on the right.
  const auto [restLeft, restRight] = host.Corners(button, 0);
  EXPECT_GT(Brightness(restLeft), Brightness(restRight) + 120);

  button.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(5, 5));  // a press begun elsewhere
  EXPECT_FALSE(button.Lit());
  button.SendMessage(WM_MOUSEMOVE, 0, At(5, 5));
  EXPECT_TRUE(button.Lit());
  EXPECT_EQ(host.Corners(button, 0), std::make_pair(light, shadow));
  EXPECT_EQ(host.Corners(button, ODS_SELECTED), std::make_pair(shadow, light));
  button.SendMessage(WM_MOUSEMOVE, 0, At(kWidth + 20, 5));
  EXPECT_FALSE(button.Lit());
}

// Shadow, face and light of the classic scheme; the normal face is tinted 5
// percent toward a blue, the lit one a further 20 toward the light. Across a
// face 75 wide the columns start from 248, 128 and 20 at the left, middle and
// right, each pixel spread by up to 8 either way, wrapping.
TEST(ShadedButton, TextureColoursAndColumnsAreTheDesigned) {
  const CShadedButton::FaceColours classic{RGB(128, 128, 128), RGB(212, 208, 200), RGB(255, 255, 255)};
  CShadedButton plain, tinted;
  plain.SetShade(kWidth, 64, classic, 8, 20, 0, RGB(55, 55, 255));
  tinted.SetShade(kWidth, 64, classic, 8, 20, 5, RGB(55, 55, 255));
  // Entries 64, 128 and 255; 128, the first of the upper half, is (127 face + light) / 128.
  EXPECT_EQ(Entries(plain.GetTexture(false)), (Shades{RGB(170, 168, 164), RGB(212, 208, 200), RGB(255, 255, 255)}));
  EXPECT_EQ(Entries(tinted.GetTexture(false)), (Shades{RGB(164, 162, 168), RGB(204, 200, 202), RGB(245, 245, 255)}));
  EXPECT_EQ(Entries(tinted.GetTexture(true)), (Shades{RGB(182, 180, 185), RGB(214, 211, 212), RGB(247, 247, 255)}));
  const CPaletteDib& texture = tinted.GetTexture(false);
  for (const auto& [x, base] : {std::pair{0, 248}, {37, 128}, {74, 20}})
    for (int y = 0; y < texture.GetHeight(); ++y)
      EXPECT_LE(std::abs(static_cast<signed char>(texture.GetBits()[y * texture.GetLineBytes() + x] - base)), 8) << x;
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
