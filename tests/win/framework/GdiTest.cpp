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

}  // namespace
