// GDI wrappers release what they own and not what was detached.

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

#include "framework/Gdi.h"

namespace {

bool Exists(HGDIOBJ object) { return ::GetObjectType(object) != 0; }

TEST(GdiTest, EachWrapperDeletesItsObjectButNotADetachedOne) {
  HGDIOBJ owned[3], detached;
  {
    CPen pen(PS_SOLID, 1, RGB(0, 64, 128)), kept(PS_SOLID, 1, RGB(1, 2, 3));
    CBrush brush(RGB(240, 248, 255));
    CDC memory;
    ASSERT_TRUE(memory.CreateCompatibleDC(nullptr));
    detached = kept.Detach();
    const HGDIOBJ objects[] = {pen.m_hObject, brush.m_hObject, memory.m_hDC};
    std::copy(std::begin(objects), std::end(objects), owned);
    for (HGDIOBJ object : owned) ASSERT_TRUE(Exists(object));
  }
  for (HGDIOBJ object : owned) EXPECT_FALSE(Exists(object));
  EXPECT_TRUE(Exists(detached));
  ::DeleteObject(detached);
}

}  // namespace
