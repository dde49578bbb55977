#include "collection/PictureAtlas.h"

#include <algorithm>
#include <new>

#include "controls/SectionDC.h"

namespace {

// Small enough that a few pictures do not hold the whole budget.
constexpr size_t kBlockBytes = 2u << 20;

void AlphaDraw(HDC target, int x, int y, int side, HDC source, int sourceY) {
  const BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  ::GdiAlphaBlend(target, x, y, side, side, source, 0, sourceY, side, side, blend);
}

}  // namespace

struct PictureAtlas::Block {
  Block(int side, int places) : pixels(side, side * places) {}
  CSectionDC pixels;
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

const CSectionDC* PictureAtlas::SectionOf(int place, int* top) const {
  if (m_side <= 0 || place < 0) return nullptr;
  const auto block = static_cast<size_t>(place / PlacesPerBlock());
  if (block >= m_blocks.size() || !m_blocks[block]) return nullptr;
  *top = place % PlacesPerBlock() * m_side;
  return &m_blocks[block]->pixels;
}

uint8_t* PictureAtlas::MadePlaceBits(int place) {
  if (m_side <= 0 || place < 0) return nullptr;
  const auto block = static_cast<size_t>(place / PlacesPerBlock());
  if (block >= m_blocks.size()) m_blocks.resize(block + 1);
  if (!m_blocks[block]) {
    auto made = std::make_unique<Block>(m_side, PlacesPerBlock());
    if (!made->pixels.Bits()) return nullptr;
    m_blocks[block] = std::move(made);
  }
  int top = 0;
  const CSectionDC* section = SectionOf(place, &top);
  return section->Bits() + static_cast<size_t>(top) * m_side * 4;
}

bool PictureAtlas::Store(int place, const RgbaImage& picture) {
  const auto side = static_cast<uint32_t>(m_side);
  if (picture.width != side || picture.height != side || picture.pixels.size() != size_t{side} * side * 4) return false;
  uint8_t* out = nullptr;
  try {
    out = MadePlaceBits(place);
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
  int top = 0;
  const CSectionDC* pixels = SectionOf(place, &top);
  if (!pixels) return;
  if (!tint) return AlphaDraw(dc, x, y, m_side, pixels->Dc(), top);
  CSectionDC tinted(m_side, m_side);
  if (!tinted.Bits()) return AlphaDraw(dc, x, y, m_side, pixels->Dc(), top);
  ::GdiFlush();
  const uint8_t* in = pixels->Bits() + static_cast<size_t>(top) * m_side * 4;
  uint8_t* out = tinted.Bits();
  const unsigned colour[3] = {GetBValue(*tint), GetGValue(*tint), GetRValue(*tint)};
  for (size_t i = 0; i < size_t{static_cast<size_t>(m_side)} * m_side; ++i, in += 4, out += 4) {
    const unsigned alpha = in[3];
    for (int c = 0; c < 3; ++c) out[c] = static_cast<uint8_t>((in[c] + (colour[c] * alpha + 127) / 255) / 2);
    out[3] = in[3];
  }
  AlphaDraw(dc, x, y, m_side, tinted.Dc(), 0);
}
