#include <gtest/gtest.h>

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
  EXPECT_EQ(RgbToHls(kRed), Hls(255, 127, 255));  // 360 degrees stays 360
  EXPECT_EQ(HlsToRgb(Hls(255, 127, 255)), RGB(254, 0, 0));
  EXPECT_EQ(RgbToHls(RGB(128, 128, 128)), Hls(0, 128, 0));
  EXPECT_EQ(HlsToRgb(RgbToHls(RGB(128, 128, 128))), RGB(128, 128, 128));
  struct Case {
    COLORREF color;
    int light, saturation;
    COLORREF expected;
  };
  const Case cases[] = {
      {RGB(192, 192, 192), 20, 0, RGB(204, 204, 204)},   {RGB(192, 192, 192), -18, 0, RGB(157, 157, 157)},
      {RGB(212, 208, 200), 75, 0, RGB(243, 242, 240)},   {RGB(236, 233, 216), 20, 0, RGB(239, 236, 222)},
      {RGB(128, 128, 128), 0, -50, RGB(128, 128, 128)},
  };
  for (const Case& c : cases)
    EXPECT_EQ(AdjustColor(c.color, c.light, c.saturation), c.expected) << std::hex << c.color << " " << c.light;
}

TEST(OffscreenDC, ReachesTheTargetOnlyInsideItsArea) {
  MemoryCanvas canvas(40, 40, kWhite);
  {
    const RECT area{10, 20, 40, 40};
    COffscreenDC offscreen(canvas.dc(), &area);
    offscreen.FillSolidRect(0, 0, 40, 40, kRed);
    EXPECT_EQ(canvas.Pixel(20, 30), kWhite);  // nothing before the transfer
  }
  EXPECT_EQ(canvas.Pixel(20, 10), kWhite);
  EXPECT_EQ(canvas.Pixel(5, 30), kWhite);
  EXPECT_EQ(canvas.Pixel(10, 20), kRed);
  EXPECT_EQ(canvas.Pixel(39, 39), kRed);
}

TEST(Selectors, DrawWithTheirObjectsAndPutTheOldOnesBack) {
  MemoryCanvas canvas(20, 20, kWhite);
  HDC dc = canvas.dc();
  const HGDIOBJ pen = GetCurrentObject(dc, OBJ_PEN);
  const HGDIOBJ brush = GetCurrentObject(dc, OBJ_BRUSH);
  {
    CPenSelector redPen(dc, kRed);
    CBrushSelector blueBrush(dc, kBlue);
    Rectangle(dc, 0, 0, 10, 10);
    CBrushSelector hollow(dc, CBrushSelector::kHollowBrush);
    Rectangle(dc, 10, 10, 20, 20);
  }
  EXPECT_EQ(canvas.Pixel(0, 5), kRed);
  EXPECT_EQ(canvas.Pixel(5, 5), kBlue);
  EXPECT_EQ(canvas.Pixel(15, 15), kWhite);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brush);

  const HGDIOBJ font = GetCurrentObject(dc, OBJ_FONT);
  const COLORREF text = GetTextColor(dc);
  {
    CStockFontSelector stock(dc, ANSI_FIXED_FONT, kRed);
    stock.Select(DEFAULT_GUI_FONT);
    stock.SetTextColor(kBlue);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), GetStockObject(DEFAULT_GUI_FONT));
  }
  EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font);
  EXPECT_EQ(GetTextColor(dc), text);
}

TEST(BoldFontSelector, ChangesOnlyWhatIsNotAlreadySoAndOnlyWeight700IsBold) {
  struct Case {
    LONG weight;
    bool bold;
    LONG expected;  // 0: the font stays selected
  };
  const Case cases[] = {{600, false, 0}, {600, true, 700}, {700, false, 400}, {700, true, 0}, {400, false, 0}};
  MemoryCanvas canvas(4, 4, kWhite);
  for (const Case& c : cases) {
    LOGFONTA logFont{};
    logFont.lfHeight = -11;
    logFont.lfWeight = c.weight;
    CFont font;
    font.CreateFontIndirect(&logFont);
    const HGDIOBJ previous = SelectObject(canvas.dc(), font);
    {
      CBoldFontSelector selector(canvas.dc(), c.bold);
      const HGDIOBJ current = GetCurrentObject(canvas.dc(), OBJ_FONT);
      LOGFONTA selected{};
      GetObjectA(current, sizeof(selected), &selected);
      if (c.expected == 0)
        EXPECT_EQ(current, font.GetSafeHandle()) << c.weight << " " << c.bold;
      else
        EXPECT_EQ(selected.lfWeight, c.expected) << c.weight << " " << c.bold;
    }
    EXPECT_EQ(GetCurrentObject(canvas.dc(), OBJ_FONT), font.GetSafeHandle());
    SelectObject(canvas.dc(), previous);
  }
}

}  // namespace
