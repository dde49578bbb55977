#include <gtest/gtest.h>

#include <iterator>
#include <utility>

#include "ControlTestSupport.h"
#include "controls/BoldFontSelector.h"
#include "controls/BrushSelector.h"
#include "controls/HlsColor.h"
#include "controls/OffscreenDC.h"
#include "controls/PenSelector.h"
#include "controls/StockFontSelector.h"

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);

PackedHls Hls(int hue, int lightness, int saturation) { return hue | lightness << 8 | saturation << 16; }

TEST(HlsColor, ConvertsAndAdjustsToTheExactValues) {
  const std::pair<DWORD, DWORD> cases[] = {
      {RgbToHls(kRed), Hls(255, 127, 255)},  // 360 degrees stays 360
      {HlsToRgb(Hls(255, 127, 255)), RGB(254, 0, 0)},
      {RgbToHls(RGB(128, 128, 128)), Hls(0, 128, 0)},
      {HlsToRgb(RgbToHls(RGB(128, 128, 128))), RGB(128, 128, 128)},
      {AdjustColor(RGB(192, 192, 192), 20, 0), RGB(204, 204, 204)},
      {AdjustColor(RGB(192, 192, 192), -18, 0), RGB(157, 157, 157)},
      {AdjustColor(RGB(212, 208, 200), 75, 0), RGB(243, 242, 240)},
      {AdjustColor(RGB(236, 233, 216), 20, 0), RGB(239, 236, 222)},
      {AdjustColor(RGB(128, 128, 128), 0, -50), RGB(128, 128, 128)},
  };
  for (size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(cases[i].first, cases[i].second) << "case " << i;
}

TEST(OffscreenDC, ReachesTheTargetOnlyInsideItsArea) {
  MemoryCanvas canvas(40, 40, kWhite);
  {
    const RECT area{10, 20, 40, 40};
    COffscreenDC offscreen(canvas.dc(), &area);
    offscreen.FillSolidRect(0, 0, 40, 40, kRed);
  }
  EXPECT_EQ(canvas.Pixel(20, 10), kWhite);
  EXPECT_EQ(canvas.Pixel(5, 30), kWhite);
  EXPECT_EQ(canvas.Pixel(10, 20), kRed);
  EXPECT_EQ(canvas.Pixel(39, 39), kRed);
}

TEST(Selectors, PutTheOldObjectsAndTextColourBack) {
  MemoryCanvas canvas(4, 4, kWhite);
  HDC dc = canvas.dc();
  const HGDIOBJ pen = GetCurrentObject(dc, OBJ_PEN), brush = GetCurrentObject(dc, OBJ_BRUSH);
  const HGDIOBJ font = GetCurrentObject(dc, OBJ_FONT);
  const COLORREF text = GetTextColor(dc);
  {
    CPenSelector redPen(dc, kRed);
    CBrushSelector blueBrush(dc, kBlue);
    CBrushSelector hollow(dc, CBrushSelector::kHollowBrush);
    CStockFontSelector stock(dc, ANSI_FIXED_FONT, kRed);
    stock.Select(DEFAULT_GUI_FONT);
    stock.SetTextColor(kBlue);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), GetStockObject(DEFAULT_GUI_FONT));
  }
  EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brush);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font);
  EXPECT_EQ(GetTextColor(dc), text);
}

TEST(BoldFontSelector, ChangesOnlyWhatIsNotAlreadySoAndOnlyWeight700IsBold) {
  const struct { LONG weight; bool bold; LONG expected; } cases[] = {
      {600, false, 600}, {600, true, 700}, {700, false, 400}, {700, true, 700}, {400, false, 400}};
  MemoryCanvas canvas(4, 4, kWhite);
  for (const auto& c : cases) {
    LOGFONTA logFont{};
    logFont.lfWeight = c.weight;
    CFont font;
    font.CreateFontIndirect(&logFont);
    const HGDIOBJ previous = SelectObject(canvas.dc(), font);
    {
      CBoldFontSelector selector(canvas.dc(), c.bold);
      LOGFONTA selected{};
      GetObjectA(GetCurrentObject(canvas.dc(), OBJ_FONT), sizeof(selected), &selected);
      EXPECT_EQ(selected.lfWeight, c.expected) << c.weight << " " << c.bold;
    }
    EXPECT_EQ(GetCurrentObject(canvas.dc(), OBJ_FONT), font.GetSafeHandle());
    SelectObject(canvas.dc(), previous);
  }
}

}  // namespace
