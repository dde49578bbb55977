#include <gtest/gtest.h>

#include <vector>

#include "ControlTestSupport.h"
#include "controls/XPMenuPaint.h"
#include "framework/ImageList.h"

namespace {

const COLORREF kHighlight = RGB(10, 36, 106);
const COLORREF kImage = RGB(0, 200, 0);
const CXPMenuColors kClassic(RGB(212, 208, 200), kHighlight, RGB(1, 2, 3), RGB(128, 128, 128), RGB(64, 64, 64));

TEST(XPMenuPaint, DrawsGutterHighlightSeparatorAndImages) {
  struct Probe {
    int x, y;
    COLORREF expected;
  };
  struct {
    const char* name;
    UINT type, state, itemState;
    bool image;
    std::vector<Probe> probes;
  } const cases[] = {
      {"plain", MFT_STRING, 0, 0, false, {{5, 10, kClassic.m_gutter}, {25, 1, kClassic.m_background}}},
      {"selected", MFT_STRING, 0, ODS_SELECTED, false, {{0, 0, kHighlight}, {25, 1, kClassic.m_hotFill}}},
      {"separator", MFT_SEPARATOR, 0, 0, false, {{40, 10, kClassic.m_separator}, {40, 8, kClassic.m_background}}},
      {"image selected", MFT_STRING, 0, ODS_SELECTED, true, {{2, 2, kImage}, {19, 19, kClassic.m_hotSilhouette}}},
      {"image disabled",
       MFT_STRING,
       MFS_GRAYED,
       0,
       true,
       {{3, 3, kClassic.m_disabledSilhouette}, {2, 2, kClassic.m_gutter}}},
  };
  CImageList images;
  images.Create(16, 16, ILC_COLOR24, 1, 1);
  const std::vector<DWORD> pixels(16 * 16, 0x00C800);
  CBitmap bitmap;
  bitmap.Attach(CreateBitmap(16, 16, 1, 32, pixels.data()));
  ImageList_Add(images, bitmap, nullptr);
  for (const auto& c : cases) {
    MemoryCanvas canvas(60, 20, RGB(255, 0, 255));
    MENUITEMINFOA info{};
    info.fType = c.type;
    info.fState = c.state;
    const CXPMenuItem item(info, "Item\tCtrl+I", c.image ? images.GetSafeHandle() : nullptr, 0);
    DRAWITEMSTRUCT draw{ODT_MENU, 0, 1, ODA_DRAWENTIRE, c.itemState, nullptr, canvas.dc, {0, 0, 60, 20}, 20};
    PaintXPMenuItem(canvas.dc, draw, item, kClassic);
    for (const Probe& p : c.probes)
      EXPECT_EQ(canvas.Pixel(p.x, p.y), p.expected) << c.name << " at " << p.x << "," << p.y;
  }
}

}  // namespace
