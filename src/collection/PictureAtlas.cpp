#include "collection/PictureAtlas.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "framework/Handle.h"

namespace {

// Small enough that a few pictures do not hold the whole budget.
constexpr size_t kBlockBytes = 2u << 20;

BITMAPINFO TopDown32(int width, int height) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

// A 32-bit section selected into a DC of its own for as long as both live.
struct SectionDC {
  SectionDC(int width, int height) {
    const BITMAPINFO info = TopDown32(width, height);
    void* pixels = nullptr;
    bitmap.Reset(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0));
    dc = ::CreateCompatibleDC(nullptr);
    if (!bitmap || !dc) return;
    previous = ::SelectObject(dc, bitmap.Get());
    bits = static_cast<uint8_t*>(pixels);
  }
  ~SectionDC() {
    if (previous) ::SelectObject(dc, previous);
    if (dc) ::DeleteDC(dc);
  }
  SectionDC(const SectionDC&) = delete;
  SectionDC& operator=(const SectionDC&) = delete;

  CBitmapHandle bitmap;
  HDC dc = nullptr;
  HGDIOBJ previous = nullptr;
  uint8_t* bits = nullptr;
};

void AlphaDraw(HDC target, int x, int y, int side, HDC source, int sourceY) {
  const BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  ::GdiAlphaBlend(target, x, y, side, side, source, 0, sourceY, side, side, blend);
}

}  // namespace

struct PictureAtlas::Block {
  Block(int side, int places) : pixels(side, side * places) {}
  SectionDC pixels;
};

PictureAtlas::PictureAtlas() = default;
PictureAtlas::~PictureAtlas() = default;

void PictureAtlas::Reset(int side) {
  m_side = side;
  m_blocks.clear();
}

int PictureAtlas::PlacesPerBlock() const {
  const size_t bytes = size_t{static_cast<size_t>(m_side)} * m_side * 4;
  return static_cast<int>(std::max<size_t>(1, kBlockBytes / bytes));
}

uint8_t* PictureAtlas::PlaceBits(int place, bool make) {
  if (m_side <= 0 || place < 0) return nullptr;
  const auto block = static_cast<size_t>(place / PlacesPerBlock());
  if (block >= m_blocks.size()) {
    if (!make) return nullptr;
    m_blocks.resize(block + 1);
  }
  if (!m_blocks[block]) {
    if (!make) return nullptr;
    auto made = std::make_unique<Block>(m_side, PlacesPerBlock());
    if (!made->pixels.bits) return nullptr;
    m_blocks[block] = std::move(made);
  }
  const size_t row = static_cast<size_t>(place % PlacesPerBlock()) * m_side;
  return m_blocks[block]->pixels.bits + row * m_side * 4;
}

bool PictureAtlas::Store(int place, const RgbaImage& picture) {
  const auto side = static_cast<uint32_t>(m_side);
  if (picture.width != side || picture.height != side || picture.pixels.size() != size_t{side} * side * 4) return false;
  uint8_t* out = nullptr;
  try {
    out = PlaceBits(place, true);
  } catch (const std::bad_alloc&) {
    return false;
  }
  if (!out) return false;
  ::GdiFlush();
  // Blue, green, red, alpha, each colour multiplied by alpha, as a blend with alpha takes them.
  for (size_t at = 0; at + 4 <= picture.pixels.size(); at += 4, out += 4) {
    const uint8_t* in = &picture.pixels[at];
    const unsigned alpha = in[3];
    out[0] = static_cast<uint8_t>((in[2] * alpha + 127) / 255);
    out[1] = static_cast<uint8_t>((in[1] * alpha + 127) / 255);
    out[2] = static_cast<uint8_t>((in[0] * alpha + 127) / 255);
    out[3] = static_cast<uint8_t>(alpha);
  }
  return true;
}

void PictureAtlas::Draw(int place, HDC dc, int x, int y, const COLORREF* tint) const {
  if (m_side <= 0 || place < 0) return;
  const auto block = static_cast<size_t>(place / PlacesPerBlock());
  if (block >= m_blocks.size() || !m_blocks[block]) return;
  const SectionDC& pixels = m_blocks[block]->pixels;
  const int top = place % PlacesPerBlock() * m_side;
  if (!tint) {
    AlphaDraw(dc, x, y, m_side, pixels.dc, top);
    return;
  }
  SectionDC tinted(m_side, m_side);
  if (!tinted.bits) return AlphaDraw(dc, x, y, m_side, pixels.dc, top);
  ::GdiFlush();
  const uint8_t* in = pixels.bits + static_cast<size_t>(top) * m_side * 4;
  uint8_t* out = tinted.bits;
  const unsigned colour[3] = {GetBValue(*tint), GetGValue(*tint), GetRValue(*tint)};
  for (size_t i = 0; i < size_t{static_cast<size_t>(m_side)} * m_side; ++i, in += 4, out += 4) {
    const unsigned alpha = in[3];
    for (int c = 0; c < 3; ++c) out[c] = static_cast<uint8_t>((in[c] + (colour[c] * alpha + 127) / 255) / 2);
    out[3] = in[3];
  }
  AlphaDraw(dc, x, y, m_side, tinted.dc, 0);
}
