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

// The caption's pure black or white shows nowhere else on the face.
bool Shows(const MemoryCanvas& canvas, COLORREF colour) {
  for (int y = 4; y < kHeight - 4; ++y)
    for (int x = 4; x < kWidth - 4; ++x)
      if (canvas.Pixel(x, y) == colour) return true;
  return false;
}

TEST(RoundButtonGradient, StepsOverTheAreaHeightAndDrawsNothingWithoutOne) {
  for (const auto& [height, firstLine, lastLine] :
       {std::tuple{23, RGB(248, 252, 255), RGB(94, 186, 255)}, {0, kBackdrop, kBackdrop}}) {
    MemoryCanvas canvas(kWidth, kHeight, kBackdrop);
    CDC dc;
    dc.Attach(canvas.dc());
    RECT face{0, 0, kWidth, height};
    CRoundButton::DrawGradient(RGB(255, 255, 255), RGB(93, 185, 255), &face, face, &dc);
    EXPECT_EQ(canvas.Pixel(kWidth - 1, 0), firstLine) << height;
    EXPECT_EQ(canvas.Pixel(0, height ? height - 1 : 0), lastLine) << height;
  }
}

TEST(RoundButtonLook, RingOnlyWhenHoveredAndNotPressedDisabledDrawnAsEnabled) {
  HWND parent = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 100, 50, nullptr, nullptr, nullptr, nullptr);
  HWND button = ::CreateWindowExA(0, "BUTTON", "&OK", WS_CHILD | BS_DEFPUSHBUTTON, 0, 0, kWidth, kHeight, parent,
                                  nullptr, nullptr, nullptr);
  CRoundButton round;
  ASSERT_TRUE(round.SubclassWindow(button));
  EXPECT_EQ(round.GetStyle() & BS_TYPEMASK, static_cast<DWORD>(BS_OWNERDRAW));

  const COLORREF light = RGB(230, 230, 230), dark = RGB(128, 128, 128), black = 0, white = RGB(255, 255, 255);
  // The face near the bottom: white to light blue from the top, the other way when pressed,
  // and inside the ring over a face three pixels smaller all round.
  const COLORREF face = RGB(115, 195, 255), pressedFace = RGB(233, 245, 255), ringFace = RGB(102, 187, 255);
  struct Case {
    const char* name;
    UINT state;
    bool moveOver;
    COLORREF leftEdge;  // 0: the orange ring
    COLORREF bottomFace;
    COLORREF caption;
  };
  // The third row follows a press: pressing ended the hover.
  const Case cases[] = {{"normal", 0, false, light, face, black},
                        {"disabled", ODS_DISABLED, false, light, face, black},
                        {"hovered", 0, true, 0, ringFace, black},
                        {"pressed", ODS_SELECTED, true, dark, pressedFace, white},
                        {"released", 0, false, light, face, black}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.moveOver) round.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    MemoryCanvas canvas(kWidth, kHeight, kBackdrop);
    DRAWITEMSTRUCT item{ODT_BUTTON, 1, 0, ODA_DRAWENTIRE, c.state, button, canvas.dc(), {0, 0, kWidth, kHeight}, 0};
    round.DrawItem(&item);
    const COLORREF edge = canvas.Pixel(1, kHeight / 2);
    if (c.leftEdge)
      EXPECT_EQ(edge, c.leftEdge);
    else
      EXPECT_TRUE(GetRValue(edge) == 255 && GetGValue(edge) < 220 && GetBValue(edge) < 180) << std::hex << edge;
    EXPECT_EQ(canvas.Pixel(4, kHeight - 4), c.bottomFace);
    EXPECT_TRUE(Shows(canvas, c.caption));
    EXPECT_FALSE(Shows(canvas, c.caption == black ? white : black));
  }
  ::DestroyWindow(parent);
}

}  // namespace
