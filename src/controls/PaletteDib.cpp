#include "controls/PaletteDib.h"

#include <algorithm>
#include <cstring>

namespace {

int ColourCountFor(int bitCount) {
  switch (bitCount) {
    case 1:
      return 2;
    case 4:
      return 16;
    case 8:
      return 256;
    default:
      return 0;
  }
}

BYTE Blend(BYTE target, BYTE old, int percent) {
  return static_cast<BYTE>((target * percent + old * (100 - percent)) / 100);
}

}  // namespace

CPaletteDib::~CPaletteDib() { ReleaseSection(); }

void CPaletteDib::ReleaseSection() {
  if (m_memoryDC) ::DeleteDC(m_memoryDC);
  if (m_section) ::DeleteObject(m_section);
  m_memoryDC = nullptr;
  m_section = nullptr;
  m_sectionBits = nullptr;
}

void CPaletteDib::CreateDib(int width, int height, int bitCount) {
  ReleaseSection();
  width = std::max(width, 0);
  height = std::max(height, 0);
  m_lineBytes = ((width * bitCount + 31) / 32) * 4;
  m_colourCount = ColourCountFor(bitCount);
  m_header = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), width, height, 1, static_cast<WORD>(bitCount), BI_RGB,
                              static_cast<DWORD>(m_lineBytes * height), 0, 0, 0, 0};
  m_block.assign(PixelOffset() + m_header.biSizeImage, 0);
  std::memcpy(m_block.data(), &m_header, sizeof(m_header));
}

void CPaletteDib::SetPaletteEntry(int index, BYTE red, BYTE green, BYTE blue) {
  if (index < 0 || index >= m_colourCount) return;
  ReleaseSection();
  ColourTable()[index] = RGBQUAD{blue, green, red, 0};
}

COLORREF CPaletteDib::GetPaletteEntry(int index) const {
  if (index < 0 || index >= m_colourCount) return RGB(0, 0, 0);
  RGBQUAD entry;
  std::memcpy(&entry, m_block.data() + sizeof(BITMAPINFOHEADER) + index * sizeof(RGBQUAD), sizeof(entry));
  return RGB(entry.rgbRed, entry.rgbGreen, entry.rgbBlue);
}

void CPaletteDib::BlendPalette(COLORREF colour, int percent) {
  percent = std::clamp(percent, 0, 100);
  for (int i = 0; i < m_colourCount; ++i) {
    const COLORREF old = GetPaletteEntry(i);
    SetPaletteEntry(i, Blend(GetRValue(colour), GetRValue(old), percent),
                    Blend(GetGValue(colour), GetGValue(old), percent), Blend(GetBValue(colour), GetBValue(old), percent));
  }
}

void CPaletteDib::CopyFrom(const CPaletteDib& other) {
  CreateDib(other.GetWidth(), other.GetHeight(), other.m_header.biBitCount);
  m_block = other.m_block;
}

void CPaletteDib::DrawAt(HDC dc, int x, int y) {
  if (GetWidth() == 0 || GetHeight() == 0) return;
  if (!m_section) {
    m_section = ::CreateDIBSection(dc, reinterpret_cast<const BITMAPINFO*>(m_block.data()), DIB_RGB_COLORS,
                                   &m_sectionBits, nullptr, 0);
    if (!m_section || !m_sectionBits) {
      ReleaseSection();
      return;
    }
  }
  if (!m_memoryDC) m_memoryDC = ::CreateCompatibleDC(dc);
  if (!m_memoryDC) return;
  ::GdiFlush();
  std::memcpy(m_sectionBits, GetBits(), m_header.biSizeImage);
  const HGDIOBJ previous = ::SelectObject(m_memoryDC, m_section);
  ::BitBlt(dc, x, y, GetWidth(), GetHeight(), m_memoryDC, 0, 0, SRCCOPY);
  ::SelectObject(m_memoryDC, previous);
}
