// Round buttons drawn into a memory bitmap and read back pixel by pixel.

#include <gtest/gtest.h>
#include <windows.h>

#include <tuple>

#include "ControlTestSupport.h"
#include "controls/RoundButton.h"

namespace {

const int kWidth = 60;
const int kHeight = 23;
const COLORREF kBackdrop = RGB(1, 2, 3);

TEST(RoundButtonGradient, StepsOverTheAreaHeightAndDrawsNothingWithoutOne) {
  for (const auto& [height, firstLine, lastLine] :
       {std::tuple{23, RGB(248, 252, 255), RGB(94, 186, 255)}, {0, kBackdrop, kBackdrop}}) {
    MemoryCanvas canvas(kWidth, kHeight, kBackdrop);
    RECT face{0, 0, kWidth, height};
    CRoundButton::DrawGradient(RGB(255, 255, 255), RGB(93, 185, 255), &face, face, &canvas.dc);
    EXPECT_EQ(canvas.Pixel(kWidth - 1, 0), firstLine) << height;
    EXPECT_EQ(canvas.Pixel(0, height ? height - 1 : 0), lastLine) << height;
  }
}

TEST(RoundButtonLook, RingOnlyWhenHoveredAndNotPressed) {
  HWND parent = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 100, 50, nullptr, nullptr, nullptr, nullptr);
  HWND button = ::CreateWindowExA(0, "BUTTON", "&OK", WS_CHILD | BS_DEFPUSHBUTTON, 0, 0, kWidth, kHeight, parent,
                                  nullptr, nullptr, nullptr);
  CRoundButton round;
  ASSERT_TRUE(round.SubclassWindow(button));

  const COLORREF light = RGB(230, 230, 230), dark = RGB(128, 128, 128);
  // The left edge at mid-height, 0 for the orange ring. Pressing ends the hover.
  const std::tuple<const char*, UINT, bool, COLORREF> cases[] = {{"normal", 0, false, light},
                                                                 {"hovered", 0, true, 0},
                                                                 {"pressed", ODS_SELECTED, true, dark},
                                                                 {"released", 0, false, light}};
  for (const auto& [name, state, moveOver, leftEdge] : cases) {
    SCOPED_TRACE(name);
    if (moveOver) round.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    MemoryCanvas canvas(kWidth, kHeight, kBackdrop);
    DRAWITEMSTRUCT item{ODT_BUTTON, 1, 0, ODA_DRAWENTIRE, state, button, canvas.dc, {0, 0, kWidth, kHeight}, 0};
    round.DrawItem(&item);
    const COLORREF edge = canvas.Pixel(1, kHeight / 2);
    if (leftEdge)
      EXPECT_EQ(edge, leftEdge);
    else
      EXPECT_TRUE(GetRValue(edge) == 255 && GetGValue(edge) < 220 && GetBValue(edge) < 180) << std::hex << edge;
    // The face runs from white to light blue from the top, the other way when pressed.
    const bool topBrighter = Brightness(canvas.Pixel(4, 4)) > Brightness(canvas.Pixel(4, kHeight - 4));
    EXPECT_EQ(topBrighter, !(state & ODS_SELECTED));
  }
  ::DestroyWindow(parent);
}

}  // namespace
