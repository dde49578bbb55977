// Shaded buttons: the texture's colours and columns, the looks drawn into a
// memory DC, and the button's behaviour in a real window.

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <set>
#include <tuple>

#include "ControlTestSupport.h"
#include "controls/ShadedButton.h"

namespace {

const CShadedButton::FaceColours kGreyScheme{RGB(128, 128, 128), RGB(212, 208, 200), RGB(255, 255, 255)};
const COLORREF kTint = RGB(55, 55, 255);
const int kWidth = 75;
const int kHeight = 30;

class ProbeButton : public CShadedButton {
 public:
  bool Lit() const { return m_mouseOver; }
};

// A visible window at a fixed place that hosts buttons and counts their clicks.
class ButtonHost : public CWnd {
 public:
  ButtonHost() { CreateEx(0, "STATIC", "Host", WS_POPUP | WS_VISIBLE, CRect(100, 100, 400, 300), nullptr, 0); }
  void Add(ProbeButton& button, int x, UINT id) {
    button.CreateEx(0, "BUTTON", "Go", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                    CRect(x, 10, x + kWidth, 10 + kHeight), this, id);
    button.SetShade(5, 8, 20, 5, kTint);
    button.SetIconHandles(CopyIcon(LoadIcon(nullptr, IDI_WARNING)), nullptr);
  }
  int clicks = 0;

 protected:
  BOOL OnCommand(WPARAM wParam, LPARAM) override {
    clicks += HIWORD(wParam) == BN_CLICKED;
    return TRUE;
  }
};

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

TEST(ShadedButtonTexture, ColoursRunFromShadowOverFaceToLightWithTheTintAndColumnsFromBrightToDarkWithNoise) {
  CShadedButton button;
  button.SetShade(kWidth, 40, kGreyScheme, 8, 20, 5, kTint);
  // index, normal, highlighted
  const std::tuple<int, COLORREF, COLORREF> colours[] = {{0, RGB(124, 124, 134), RGB(150, 150, 158)},
                                                         {64, RGB(164, 162, 168), RGB(182, 180, 185)},
                                                         {192, RGB(224, 222, 228), RGB(230, 228, 233)},
                                                         {255, RGB(245, 245, 255), RGB(247, 247, 255)}};
  for (const auto& [index, normal, highlighted] : colours) {
    EXPECT_EQ(button.GetTexture(false).GetPaletteEntry(index), normal) << index;
    EXPECT_EQ(button.GetTexture(true).GetPaletteEntry(index), highlighted) << index;
  }
  const CPaletteDib& texture = button.GetTexture(false);
  ASSERT_EQ(texture.GetWidth(), kWidth);
  ASSERT_EQ(texture.GetHeight(), 40);
  for (const auto& [column, base] : {std::pair{0, 248}, {37, 128}, {74, 20}}) {
    std::set<int> values;
    for (int row = 0; row < 40; ++row) {
      const int value = texture.GetBits()[row * texture.GetLineBytes() + column];
      const int offset = (value - base + 256 + 128) % 256 - 128;  // wraps past 255
      EXPECT_LE(std::abs(offset), 8) << column << "," << row << ": " << value;
      values.insert(value);
    }
    EXPECT_GT(values.size(), 4u) << "no noise in column " << column;
  }
  EXPECT_EQ(std::memcmp(button.GetTexture(true).GetBits(), texture.GetBits(), texture.GetLineBytes() * 40), 0);

  button.SetShade(0, kHeight, kGreyScheme, 8, 20, 5, kTint);
  EXPECT_EQ(button.GetTexture(false).GetWidth(), 0);
  CPaletteDib empty;
  empty.CreateDib(0, kHeight, 8);
  MemoryCanvas canvas(10, 10, RGB(1, 2, 3));
  empty.DrawAt(canvas.dc(), 0, 0);
  EXPECT_EQ(canvas.Pixel(0, 0), RGB(1, 2, 3)) << "an empty texture paints nothing";
}

// Draws the button as its parent is asked to by the system.
void Draw(ButtonHost& host, ProbeButton& button, MemoryCanvas& canvas, UINT state) {
  DRAWITEMSTRUCT item{ODT_BUTTON, 1, 0, ODA_DRAWENTIRE, state, button.m_hWnd, canvas.dc(), {0, 0, kWidth, kHeight}, 0};
  host.SendMessage(WM_DRAWITEM, 1, reinterpret_cast<LPARAM>(&item));
}

TEST(ShadedButtonLooks, RestHoverPressAndDisabledAsDrawn) {
  ButtonHost host;
  ProbeButton button;
  host.Add(button, 10, 1);
  const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
  const CPaletteDib& normal = button.GetTexture(false);
  const COLORREF restCorner = normal.GetPaletteEntry(normal.GetBits()[(kHeight - 1) * normal.GetLineBytes()]);

  MemoryCanvas rest(kWidth, kHeight, RGB(1, 2, 3)), disabled(kWidth, kHeight, RGB(1, 2, 3));
  Draw(host, button, rest, 0);
  Draw(host, button, disabled, ODS_DISABLED);
  button.SendMessage(WM_MOUSEMOVE, 0, At(5, 5));
  ASSERT_TRUE(button.Lit());
  MemoryCanvas hovered(kWidth, kHeight, RGB(1, 2, 3)), pressed(kWidth, kHeight, RGB(1, 2, 3));
  Draw(host, button, hovered, 0);
  Draw(host, button, pressed, ODS_SELECTED);

  EXPECT_EQ(rest.Pixel(0, 0), restCorner);  // no edge at rest
  EXPECT_EQ(hovered.Pixel(0, 0), light);
  EXPECT_EQ(hovered.Pixel(kWidth - 1, kHeight - 1), shadow);
  EXPECT_EQ(pressed.Pixel(0, 0), shadow);
  EXPECT_EQ(pressed.Pixel(kWidth - 1, kHeight - 1), light);
  int moved = 0;
  for (int x = 2; x < kWidth - 2; ++x)
    for (int y = 2; y < kHeight - 2; ++y) moved += pressed.Pixel(x, y) != hovered.Pixel(x - 1, y - 1);
  EXPECT_EQ(moved, 0) << "face, icon and caption move one pixel together when pressed";
  bool embossed = false;  // in the caption, right of the icon
  for (int x = 40; x < kWidth - 2; ++x)
    for (int y = 1; y < kHeight - 2; ++y)
      embossed |= disabled.Pixel(x, y) == shadow && disabled.Pixel(x + 1, y + 1) == light;
  EXPECT_TRUE(embossed);
}

TEST(ShadedButtonBehaviour, LightsForAFreeMouseOnlyADoubleClickIsTwoClicksAndDisablingHandsTheFocusOn) {
  ButtonHost host;
  ProbeButton first, second, third;
  host.Add(first, 10, 1);
  host.Add(second, 90, 2);
  host.Add(third, 170, 3);
  first.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(5, 5));
  EXPECT_FALSE(first.Lit());
  first.SendMessage(WM_MOUSEMOVE, 0, At(5, 5));
  EXPECT_TRUE(first.Lit());
  first.SendMessage(WM_MOUSEMOVE, 0, At(kWidth + 20, 5));
  EXPECT_FALSE(first.Lit());

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
