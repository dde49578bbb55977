#include "controls/ShadedButton.h"

#include <algorithm>
#include <cstdint>

#include "controls/SchemeColors.h"

namespace {

const int kTextureBits = 8;

// 15-bit pseudo-random values from a generator of the texture's own: the C
// library's rand() is shared with every other thread of the process.
class NoiseSource {
 public:
  int Next() {
    m_state = m_state * 1103515245u + 12345u;
    return static_cast<int>((m_state >> 16) & 0x7FFF);
  }
  static const int kMax = 0x7FFF;

 private:
  uint32_t m_state = 1;
};

BYTE Mix(BYTE from, BYTE to, int step) { return static_cast<BYTE>((from * (128 - step) + to * step) / 128); }

void SetMix(CPaletteDib* dib, int index, COLORREF from, COLORREF to, int step) {
  dib->SetPaletteEntry(index, Mix(GetRValue(from), GetRValue(to), step), Mix(GetGValue(from), GetGValue(to), step),
                       Mix(GetBValue(from), GetBValue(to), step));
}

// Shadow to face over the lower half of the table, face to light over the upper.
void FillShadePalette(CPaletteDib* dib, const CShadedButton::FaceColours& colours) {
  for (int i = 0; i <= 128; ++i) SetMix(dib, i, colours.shadow, colours.face, i);
  for (int i = 1; i <= 128; ++i) SetMix(dib, 127 + i, colours.face, colours.light, i);
}

// The brightness falls along a cubic curve from left to right and is the same
// down each column, spread by up to granularity either way.
void FillHorizontalShade(CPaletteDib* dib, int granularity) {
  const int width = dib->GetWidth();
  const int height = dib->GetHeight();
  const int spread = 128 - granularity;
  const int divisor = NoiseSource::kMax / std::max(2 * granularity, 1);
  NoiseSource noise;
  BYTE* bits = dib->GetBits();
  for (int x = 0; x < width; ++x) {
    const int position = (255 * (width - x)) / width - 127;
    const int curve = position * position * position / 16384;
    const int base = 128 + (curve * spread) / 128;
    for (int y = 0; y < height; ++y)
      bits[y * dib->GetLineBytes() + x] = static_cast<BYTE>((base + noise.Next() / divisor - granularity) & 0xFF);
  }
}

}  // namespace

void CShadedButton::SetShade(UINT /* kHorizontalShade */, BYTE granularity, BYTE highlight, BYTE colouring, COLORREF colour) {
  CRect window;
  GetWindowRect(&window);
  const FaceColours colours{::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNFACE),
                            ::GetSysColor(COLOR_BTNHIGHLIGHT)};
  SetShade(window.Width(), window.Height(), colours, granularity, highlight, colouring, colour);
}

void CShadedButton::SetShade(int width, int height, const FaceColours& colours, BYTE granularity, BYTE highlight,
                             BYTE colouring, COLORREF colour) {
  m_normal.CreateDib(width, height, kTextureBits);
  FillShadePalette(&m_normal, colours);
  m_normal.BlendPalette(colour, colouring);
  FillHorizontalShade(&m_normal, granularity);
  m_highlighted.CopyFrom(m_normal);
  m_highlighted.BlendPalette(colours.light, highlight);
}

void CShadedButton::OnDrawBackground(CDC* dc, const RECT* rect) {
  // The caption stands on the texture's middle colour.
  const int middle = 128;
  if (NeedsSchemeColors({m_normal.GetPaletteEntry(middle), m_highlighted.GetPaletteEntry(middle)}, m_textColour)) {
    dc->FillSolidRect(rect, ::GetSysColor(COLOR_BTNFACE));
    return;
  }
  // The texture covers the whole button; pressed, it moves with the icon and caption.
  if (!m_mouseOver)
    m_normal.DrawAt(*dc, 0, 0);
  else if (m_pressed)
    m_highlighted.DrawAt(*dc, 1, 1);
  else
    m_highlighted.DrawAt(*dc, 0, 0);
}
