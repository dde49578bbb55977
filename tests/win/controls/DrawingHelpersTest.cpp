#include <gtest/gtest.h>

#include <iterator>
#include <utility>

#include "ControlTestSupport.h"
#include "controls/BoldFontSelector.h"
#include "controls/BrushSelector.h"
#include "controls/HlsColor.h"
#include "controls/PenSelector.h"
#include "controls/StockFontSelector.h"

namespace {

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);

PackedHls Hls(int hue, int lightness, int saturation) { return hue | lightness << 8 | saturation << 16; }

TEST(HlsColor, ConvertsAndAdjustsToTheExactValues) {
  const std::pair<DWORD, DWORD> cases[] = {
      {RgbToHls(kRed), Hls(255, 127, 255)},  // 360 degrees stays 360
      {HlsToRgb(Hls(255, 127, 255)), RGB(254, 0, 0)},
      {AdjustColor(RGB(192, 192, 192), -18, 0), RGB(157, 157, 157)},
      {AdjustColor(RGB(212, 208, 200), 75, 0), RGB(243, 242, 240)},
  };
  for (size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(cases[i].first, cases[i].second) << "case " << i;
}

LONG SelectedWeight(HDC dc) {
  LOGFONTA selected{};
  ::GetObjectA(::GetCurrentObject(dc, OBJ_FONT), sizeof(selected), &selected);
  return selected.lfWeight;
}

TEST(Selectors, PutTheOldObjectsAndTextColourBackAndOnlyWeight700CountsAsBold) {
  MemoryCanvas canvas(4, 4, kRed);
  LOGFONTA semiBold{};
  semiBold.lfWeight = 600;
  CFont font;
  ASSERT_TRUE(font.CreateFontIndirect(&semiBold));
  const HGDIOBJ before = canvas.dc.SelectObject(font);
  const HGDIOBJ pen = GetCurrentObject(canvas.dc, OBJ_PEN), brush = GetCurrentObject(canvas.dc, OBJ_BRUSH);
  const COLORREF text = GetTextColor(canvas.dc);
  {
    CPenSelector redPen(canvas.dc, kRed);
    CBrushSelector blueBrush(canvas.dc, kBlue);
    CBrushSelector hollow(canvas.dc, CBrushSelector::kHollowBrush);
    CBoldFontSelector bold(canvas.dc, true);
    EXPECT_EQ(SelectedWeight(canvas.dc), 700);
    CBoldFontSelector normal(canvas.dc, false);
    EXPECT_EQ(SelectedWeight(canvas.dc), 400);
    CStockFontSelector stock(canvas.dc, ANSI_FIXED_FONT, kRed);
    stock.Select(DEFAULT_GUI_FONT);
    stock.SetTextColor(kBlue);
    EXPECT_EQ(GetCurrentObject(canvas.dc, OBJ_FONT), GetStockObject(DEFAULT_GUI_FONT));
  }
  EXPECT_EQ(GetCurrentObject(canvas.dc, OBJ_PEN), pen);
  EXPECT_EQ(GetCurrentObject(canvas.dc, OBJ_BRUSH), brush);
  EXPECT_EQ(GetCurrentObject(canvas.dc, OBJ_FONT), font.GetSafeHandle());
  EXPECT_EQ(GetTextColor(canvas.dc), text);
  canvas.dc.SelectObject(before);
}

}  // namespace
