// GDI wrappers release what they own and only what they own.

#include <gtest/gtest.h>

#include "framework/Gdi.h"

namespace {

bool Exists(HGDIOBJ object) { return ::GetObjectType(object) != 0; }

TEST(GdiTest, EachWrapperDeletesItsObject) {
  LOGFONTA font{};
  font.lfHeight = -12;
  lstrcpyA(font.lfFaceName, "Tahoma");
  HGDIOBJ pen;
  HGDIOBJ brush;
  HGDIOBJ fontObject;
  HGDIOBJ bitmap;
  HDC dc;
  {
    CPen p(PS_SOLID, 1, RGB(0, 64, 128));
    CBrush b(RGB(240, 248, 255));
    CFont f;
    ASSERT_TRUE(f.CreateFontIndirect(&font));
    CDC memory;
    ASSERT_TRUE(memory.CreateCompatibleDC(nullptr));
    CBitmap bm;
    ASSERT_TRUE(bm.CreateCompatibleBitmap(&memory, 8, 8));
    pen = p.m_hObject;
    brush = b.m_hObject;
    fontObject = f.m_hObject;
    bitmap = bm.m_hObject;
    dc = memory.m_hDC;
    ASSERT_TRUE(Exists(pen) && Exists(brush) && Exists(fontObject) && Exists(bitmap) && Exists(dc));
  }
  EXPECT_FALSE(Exists(pen));
  EXPECT_FALSE(Exists(brush));
  EXPECT_FALSE(Exists(fontObject));
  EXPECT_FALSE(Exists(bitmap));
  EXPECT_FALSE(Exists(dc));
}

TEST(GdiTest, CreatingAndDestroyingManyObjectsLeavesNoneBehind) {
  HGDIOBJ last = nullptr;
  for (int i = 0; i < 20000; ++i) {
    CBrush brush(RGB(i & 0xFF, 0, 0));
    ASSERT_NE(brush.m_hObject, nullptr) << "GDI ran out after " << i << " brushes";
    last = brush.m_hObject;
  }
  EXPECT_FALSE(Exists(last));
}

TEST(GdiTest, DetachedObjectAndBorrowedDcOutliveTheirWrappers) {
  HGDIOBJ pen;
  HDC memory = ::CreateCompatibleDC(nullptr);
  {
    CPen p(PS_SOLID, 1, RGB(1, 2, 3));
    pen = p.Detach();
    CDC borrowed;
    ASSERT_TRUE(borrowed.Attach(memory));
  }
  EXPECT_TRUE(Exists(pen));
  EXPECT_TRUE(Exists(memory));
  ::DeleteObject(pen);
  ::DeleteDC(memory);
}

class DrawingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(screen.Attach(::GetDC(nullptr)));
    ASSERT_TRUE(dc.CreateCompatibleDC(&screen));
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&screen, 10, 10));
    previous = dc.SelectObject(bitmap);
    dc.FillSolidRect(0, 0, 10, 10, kBackground);
  }
  void TearDown() override {
    dc.SelectObject(previous);
    ::ReleaseDC(nullptr, screen.Detach());
  }

  static constexpr COLORREF kBackground = RGB(0, 0, 255);
  CDC screen;
  CDC dc;
  CBitmap bitmap;
  HGDIOBJ previous = nullptr;
};

TEST_F(DrawingTest, SelectObjectReturnsWhatWasSelectedBefore) {
  CPen pen(PS_SOLID, 1, RGB(255, 0, 0));
  const HGDIOBJ original = dc.SelectObject(pen);
  EXPECT_EQ(dc.SelectObject(original), pen.m_hObject);
}

TEST_F(DrawingTest, FillSolidRectFillsAndKeepsTheBackgroundColour) {
  dc.SetBkColor(RGB(9, 9, 9));

  dc.FillSolidRect(CRect(2, 2, 5, 5), RGB(255, 0, 0));

  EXPECT_EQ(::GetPixel(dc, 2, 2), RGB(255, 0, 0));
  EXPECT_EQ(::GetPixel(dc, 4, 4), RGB(255, 0, 0));
  EXPECT_EQ(::GetPixel(dc, 5, 5), kBackground);
  EXPECT_EQ(::GetBkColor(dc), RGB(9, 9, 9));
}

TEST_F(DrawingTest, Draw3dRectDrawsTopLeftAndBottomRightEdgesOnly) {
  const COLORREF light = RGB(255, 255, 255);
  const COLORREF dark = RGB(0, 0, 0);

  dc.Draw3dRect(CRect(1, 1, 9, 9), light, dark);

  EXPECT_EQ(::GetPixel(dc, 1, 1), light);
  EXPECT_EQ(::GetPixel(dc, 7, 1), light);
  EXPECT_EQ(::GetPixel(dc, 1, 7), light);
  EXPECT_EQ(::GetPixel(dc, 8, 1), dark);
  EXPECT_EQ(::GetPixel(dc, 1, 8), dark);
  EXPECT_EQ(::GetPixel(dc, 8, 8), dark);
  EXPECT_EQ(::GetPixel(dc, 4, 4), kBackground);
  EXPECT_EQ(::GetPixel(dc, 9, 9), kBackground);
}

}  // namespace
