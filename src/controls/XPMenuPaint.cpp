#include "controls/XPMenuPaint.h"

#include <algorithm>

#include "controls/BoldFontSelector.h"
#include "controls/BrushSelector.h"
#include "controls/DisplayScale.h"
#include "controls/PenSelector.h"
#include "framework/Gdi.h"
#include "framework/Handle.h"

namespace {

// Lengths at 96 DPI. The gutter ends at this x of the item; drop-down items start at x 0.
const int kGutterRight = 22;
const int kTextLeft = 30;
const int kShadowWidth = 4;
const int kImageSize = 16;
const int kCheckBoxRight = 20;
const int kCheckMarkBitmap = 32760;

// The drop-down layout at the display's DPI.
struct Layout {
  explicit Layout(int dpi)
      : gutterRight(ScaleToDpi(kGutterRight, dpi)),
        textLeft(ScaleToDpi(kTextLeft, dpi)),
        imageSize(ScaleToDpi(kImageSize, dpi)),
        checkBoxRight(ScaleToDpi(kCheckBoxRight, dpi)),
        dpi(dpi) {}
  int Scaled(int pixelsAt96) const { return ScaleToDpi(pixelsAt96, dpi); }

  int gutterRight;
  int textLeft;
  int imageSize;
  int checkBoxRight;
  int dpi;
};

struct ItemState {
  bool selected;
  bool menuBar;
  bool hot;
  bool inactive;
  bool noAccel;
};

// The soft shadow right of a pressed menu-bar title: four columns, each
// darker toward the title and further down.
void DarkenShadow(CDC& dc, const RECT& r) {
  const int shadowTop = r.top + 4;
  for (int column = 0; column < kShadowWidth; ++column) {
    const int x = r.right - 1 - column;
    const int start = std::max(2 - column, 0);
    for (int y = shadowTop + start; y < r.bottom; ++y) {
      const int percent = 93 - 5 * std::min(y - shadowTop - start, column);
      const COLORREF c = ::GetPixel(dc, x, y);
      ::SetPixel(dc, x, y,
                 RGB(GetRValue(c) * percent / 100, GetGValue(c) * percent / 100, GetBValue(c) * percent / 100));
    }
  }
}

void FramedBox(CDC& dc, const RECT& box, COLORREF pen, COLORREF fill) {
  CPenSelector penSelector(dc, pen);
  CBrushSelector brushSelector(dc, fill);
  ::Rectangle(dc, box.left, box.top, box.right, box.bottom);
}

void PaintBackground(CDC& dc, const RECT& r, const ItemState& s, bool disabled, const CXPMenuColors& colors,
                     const Layout& layout) {
  const RECT titleBox{r.left, r.top, r.right - kShadowWidth, r.bottom};
  const RECT shadowStrip{r.right - kShadowWidth, r.top, r.right, r.bottom};
  if (s.menuBar && s.selected) {
    FramedBox(dc, titleBox, colors.m_dark, colors.m_gutter);
    dc.FillSolidRect(&shadowStrip, colors.m_face);
    DarkenShadow(dc, r);
  } else if ((s.selected && !s.menuBar) || (s.hot && !s.inactive)) {
    const COLORREF fill = disabled ? colors.m_disabledHotFill : colors.m_hotFill;
    if (s.menuBar) {
      FramedBox(dc, titleBox, colors.m_highlight, fill);
      dc.FillSolidRect(&shadowStrip, colors.m_face);
    } else {
      FramedBox(dc, r, colors.m_highlight, fill);
    }
  } else if (s.menuBar) {
    dc.FillSolidRect(&r, colors.m_face);
  } else {
    const RECT gutter{r.left, r.top, layout.gutterRight, r.bottom};
    const RECT rest{layout.gutterRight, r.top, r.right, r.bottom};
    dc.FillSolidRect(&gutter, colors.m_gutter);
    dc.FillSolidRect(&rest, colors.m_background);
  }
}

void PaintImage(CDC& dc, const RECT& r, const CXPMenuItem& item, bool selected, const CXPMenuColors& colors,
                const Layout& layout) {
  const bool disabled = item.IsDisabled();
  const bool lifted = selected && !item.IsChecked();
  if (disabled || lifted) {
    const bool hotShadow = selected && !disabled;
    const int offset = layout.Scaled(hotShadow ? 4 : 3);
    CBrush brush(hotShadow ? colors.m_hotSilhouette : colors.m_disabledSilhouette);
    const CIconHandle icon(ImageList_GetIcon(item.m_imageList, item.m_imageIndex, 0));
    ::DrawStateA(dc, brush, nullptr, reinterpret_cast<LPARAM>(icon.Get()), 0, r.left + offset, r.top + offset,
                 layout.imageSize, layout.imageSize, DST_ICON | DSS_MONO);
  }
  if (!disabled) {
    const int offset = layout.Scaled(lifted ? 2 : 3);
    ImageList_Draw(item.m_imageList, item.m_imageIndex, dc, r.left + offset, r.top + offset, ILD_TRANSPARENT);
  }
}

void PaintCheckMark(CDC& dc, const RECT& r, const CXPMenuItem& item, COLORREF checkColor,
                    const CXPMenuColors& colors, const Layout& layout) {
  const int boxLeft = r.left + layout.Scaled(5);
  const int cx = (boxLeft + r.left + layout.checkBoxRight) / 2;
  const int cy = (r.top + r.bottom) / 2;
  if (item.IsRadio()) {
    const COLORREF mark = item.IsDisabled() ? colors.m_disabledSilhouette : ::GetTextColor(dc);
    CPenSelector pen(dc, mark);
    CBrushSelector brush(dc, mark);
    ::Ellipse(dc, cx - 4, cy - 3, cx + 3, cy + 4);
    ::SetPixel(dc, cx + 1, cy + 2, checkColor);
    return;
  }
  dc.SetBkColor(checkColor);
  CBitmap check;
  check.Attach(::LoadBitmapA(nullptr, MAKEINTRESOURCEA(kCheckMarkBitmap)));
  ::DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(static_cast<HBITMAP>(check)), 0, boxLeft, r.top + 3,
               15, r.bottom - r.top, DST_BITMAP);
}

void PaintDropDownContent(CDC& dc, const RECT& r, const CXPMenuItem& item, const std::string& label, bool selected,
                          UINT prefixFlag, const CXPMenuColors& colors, const Layout& layout) {
  CBoldFontSelector bold(dc, item.IsDefault());
  RECT labelBox{layout.textLeft, r.top, r.right, r.bottom};
  dc.DrawText(label.c_str(), -1, &labelBox, DT_VCENTER | DT_SINGLELINE | prefixFlag);
  const std::string accelerator = item.Accelerator();
  if (!accelerator.empty()) {
    RECT acceleratorBox{layout.textLeft, r.top, r.right - layout.Scaled(12), r.bottom};
    dc.DrawText(accelerator.c_str(), -1, &acceleratorBox, DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
  }
  if (item.IsChecked()) {
    const COLORREF checkColor = item.IsDisabled() ? colors.m_disabledHotFill
                                : selected        ? colors.m_selectedCheckFill
                                                  : colors.m_checkFill;
    FramedBox(dc, RECT{r.left + 1, r.top + 1, r.left + layout.checkBoxRight, r.bottom - 1}, colors.m_highlight,
              checkColor);
    if (!item.HasImage()) PaintCheckMark(dc, r, item, checkColor, colors, layout);
  }
  if (item.HasImage()) PaintImage(dc, r, item, selected, colors, layout);
}

}  // namespace

void PaintXPMenuItem(CDC& dc, const DRAWITEMSTRUCT& draw, const CXPMenuItem& item, const CXPMenuColors& colors) {
  const RECT& r = draw.rcItem;
  const ItemState s{(draw.itemState & ODS_SELECTED) != 0, (draw.itemData & 0xFF) == 0,
                    (draw.itemState & ODS_HOTLIGHT) != 0, (draw.itemState & ODS_INACTIVE) != 0,
                    (draw.itemState & ODS_NOACCEL) != 0};
  const Layout layout(DpiOf(dc));
  PaintBackground(dc, r, s, item.IsDisabled(), colors, layout);
  if (item.IsSeparator()) {
    CPenSelector pen(dc, colors.m_separator);
    const int y = (r.top + r.bottom) / 2;
    dc.MoveTo(r.left + layout.textLeft, y);
    dc.LineTo(r.right - 1, y);
    return;
  }
  const std::string label = item.Label();
  if (label.empty()) return;

  const bool highlighted = (s.selected && !s.menuBar) || (s.hot && !s.inactive);
  dc.SetTextColor(s.inactive           ? colors.m_shadow
                  : item.IsDisabled()  ? colors.m_separator
                  : highlighted        ? colors.m_selectedText
                                       : colors.m_text);
  dc.SetBkMode(TRANSPARENT);
  BOOL cues = TRUE;
  ::SystemParametersInfoA(SPI_GETKEYBOARDCUES, 0, &cues, 0);
  const UINT prefixFlag = s.noAccel && !cues ? DT_HIDEPREFIX : 0;
  if (s.menuBar) {
    RECT titleBox{r.left, r.top, r.right - kShadowWidth, r.bottom};
    dc.DrawText(label.c_str(), -1, &titleBox, DT_CENTER | DT_VCENTER | DT_SINGLELINE | prefixFlag);
    return;
  }
  PaintDropDownContent(dc, r, item, label, s.selected, prefixFlag, colors, layout);
}
