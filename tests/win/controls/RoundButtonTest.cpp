// Round buttons drawn into a 32-bit memory bitmap and read back pixel by pixel.

#include <windows.h>

#include <gtest/gtest.h>

#include "controls/RoundButton.h"

namespace {

const int kWidth = 60;
const int kHeight = 23;
const COLORREF kBackdrop = RGB(1, 2, 3);

class Canvas {
 public:
  Canvas() {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), kWidth, -kHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    m_bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    dc.Attach(::CreateCompatibleDC(nullptr));
    m_previous = dc.SelectObject(m_bitmap);
    dc.FillSolidRect(0, 0, kWidth, kHeight, kBackdrop);
  }
  ~Canvas() {
    dc.SelectObject(m_previous);
    ::DeleteDC(dc.Detach());
    ::DeleteObject(m_bitmap);
  }
  COLORREF At(int x, int y) const { return ::GetPixel(dc, x, y); }
  bool Shows(COLORREF colour) const {
    for (int y = 4; y < kHeight - 4; ++y)
      for (int x = 4; x < kWidth - 4; ++x)
        if (At(x, y) == colour) return true;
    return false;
  }
  CDC dc;

 private:
  HBITMAP m_bitmap;
  HGDIOBJ m_previous;
};

TEST(RoundButtonGradient, StepsOverTheAreaHeightAndDrawsNothingWithoutOne) {
  struct Case {
    int height;
    COLORREF firstLine;
    COLORREF lastLine;
  };
  const Case cases[] = {{23, RGB(248, 252, 255), RGB(94, 186, 255)},
                        {2, RGB(174, 220, 255), RGB(93, 185, 255)},
                        {0, kBackdrop, kBackdrop}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.height);
    Canvas canvas;
    RECT face{0, 0, kWidth, c.height};
    CRoundButton::DrawGradient(RGB(255, 255, 255), RGB(93, 185, 255), &face, face, &canvas.dc);
    EXPECT_EQ(canvas.At(kWidth - 1, 0), c.firstLine);
    EXPECT_EQ(canvas.At(0, c.height ? c.height - 1 : 0), c.lastLine);
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
  struct Case {
    const char* name;
    UINT state;
    bool moveOver;
    COLORREF leftEdge;  // 0: the orange ring
    COLORREF caption;
  };
  // The third row follows a press: pressing ended the hover.
  const Case cases[] = {{"normal", 0, false, light, black},         {"disabled", ODS_DISABLED, false, light, black},
                        {"hovered", 0, true, 0, black},             {"pressed", ODS_SELECTED, true, dark, white},
                        {"released", 0, false, light, black}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.moveOver) round.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    Canvas canvas;
    DRAWITEMSTRUCT item{ODT_BUTTON, 1, 0, ODA_DRAWENTIRE, c.state, button, canvas.dc, {0, 0, kWidth, kHeight}, 0};
    round.DrawItem(&item);
    const COLORREF edge = canvas.At(1, kHeight / 2);
    if (c.leftEdge)
      EXPECT_EQ(edge, c.leftEdge);
    else
      EXPECT_TRUE(GetRValue(edge) == 255 && GetGValue(edge) < 220 && GetBValue(edge) < 180) << std::hex << edge;
    EXPECT_TRUE(canvas.Shows(c.caption));
    EXPECT_FALSE(canvas.Shows(c.caption == black ? white : black));
  }
  ::DestroyWindow(parent);
}

}  // namespace
