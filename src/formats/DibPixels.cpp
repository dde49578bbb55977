#include <new>

#include "formats/ByteReader.h"
#include "formats/Dib.h"
#include "formats/IconPixels.h"

namespace {

constexpr uint32_t kRgb555[3] = {0x7C00, 0x03E0, 0x001F};
constexpr uint32_t kRgb565[3] = {0xF800, 0x07E0, 0x001F};
constexpr uint32_t kRgb888[3] = {0xFF0000, 0x00FF00, 0x0000FF};

struct DibPixels {
  DibLayout layout;
  ByteReader palette;
  ByteReader colourBits;
  ByteReader mask;
  bool green6 = false;  // 16 bits as 5-6-5 rather than 5-5-5
};

bool MasksAre(const ByteReader& block, const uint32_t (&masks)[3]) {
  for (uint32_t c = 0; c < 3; ++c)
    if (block.U32(kDibHeaderBytes + c * 4) != masks[c]) return false;
  return true;
}

// The parts of a block we can draw: its colour bitmap and mask inside the
// block, and bit fields only with the masks writers use (5-5-5 or 5-6-5 at
// 16 bits, 8-8-8 at 32); any other masks are refused.
std::optional<DibPixels> ReadPixels(const ByteReader& block) {
  const auto layout = ReadDibLayout(block);
  if (!layout || !layout->maskFits) return std::nullopt;
  if (static_cast<uint64_t>(layout->width) * layout->height > kMaxDecodedPixels) return std::nullopt;
  DibPixels dib{*layout, {}, {}, {}};
  if (layout->bitfields) {
    const bool rgb555 = layout->bitCount == 16 && MasksAre(block, kRgb555);
    dib.green6 = layout->bitCount == 16 && MasksAre(block, kRgb565);
    if (!rgb555 && !dib.green6 && !(layout->bitCount == 32 && MasksAre(block, kRgb888))) return std::nullopt;
  } else {
    dib.palette = *block.Slice(layout->tableOffset, layout->tableBytes);
  }
  dib.colourBits = *block.Slice(layout->colourOffset, layout->colourRowBytes * layout->height);
  dib.mask = *block.Slice(layout->maskOffset, layout->maskRowBytes * layout->height);
  return dib;
}

void Put(uint8_t* out, uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha) {
  out[0] = red;
  out[1] = green;
  out[2] = blue;
  out[3] = alpha;
}

uint8_t Widen(uint32_t value, uint32_t max) { return static_cast<uint8_t>((value * 255 + max / 2) / max); }

// One pixel of a stored row (blue before green before red) as R, G, B, A;
// alpha is 255 but for 32 bits.
void ReadColour(const DibPixels& dib, const uint8_t* row, uint32_t x, uint8_t* out) {
  const uint16_t bitCount = dib.layout.bitCount;
  switch (bitCount) {
    case 1:
    case 4:
    case 8: {
      const uint32_t bitOffset = x * bitCount;
      const uint32_t index = (row[bitOffset / 8] >> (8 - bitCount - bitOffset % 8)) & ((1u << bitCount) - 1);
      // An index past a short colour table shows black.
      if (!dib.palette.Has(static_cast<uint64_t>(index) * 4, 4)) return Put(out, 0, 0, 0, 255);
      const uint8_t* entry = dib.palette.Data() + index * 4;
      return Put(out, entry[2], entry[1], entry[0], 255);
    }
    case 16: {
      const uint32_t value = row[x * 2] | (row[x * 2 + 1] << 8);
      if (dib.green6) return Put(out, Widen(value >> 11 & 31, 31), Widen(value >> 5 & 63, 63), Widen(value & 31, 31), 255);
      return Put(out, Widen(value >> 10 & 31, 31), Widen(value >> 5 & 31, 31), Widen(value & 31, 31), 255);
    }
    case 24: return Put(out, row[x * 3 + 2], row[x * 3 + 1], row[x * 3], 255);
    default: return Put(out, row[x * 4 + 2], row[x * 4 + 1], row[x * 4], row[x * 4 + 3]);
  }
}

std::optional<RgbaImage> Decode(const DibPixels& dib) {
  const uint32_t width = dib.layout.width, height = dib.layout.height;
  RgbaImage image;
  image.width = width;
  image.height = height;
  image.pixels.resize(static_cast<size_t>(width) * height * 4);
  bool anyAlpha = false;
  for (uint32_t y = 0; y < height; ++y) {
    const uint8_t* colourRow = dib.colourBits.Data() + (height - 1 - y) * dib.layout.colourRowBytes;
    uint8_t* out = image.pixels.data() + static_cast<size_t>(y) * width * 4;
    for (uint32_t x = 0; x < width; ++x, out += 4) {
      ReadColour(dib, colourRow, x, out);
      anyAlpha |= dib.layout.bitCount == 32 && out[3] != 0;
    }
  }
  if (anyAlpha) return image;

  for (uint32_t y = 0; y < height; ++y) {
    const uint8_t* maskRow = dib.mask.Data() + (height - 1 - y) * dib.layout.maskRowBytes;
    uint8_t* out = image.pixels.data() + static_cast<size_t>(y) * width * 4;
    for (uint32_t x = 0; x < width; ++x) out[x * 4 + 3] = (maskRow[x / 8] >> (7 - x % 8)) & 1 ? 0 : 255;
  }
  return image;
}

}  // namespace

std::optional<RgbaImage> DibToRgba(const uint8_t* block, size_t size) {
  if (!block) return std::nullopt;
  const auto dib = ReadPixels(ByteReader(block, size));
  if (!dib) return std::nullopt;
  try {
    return Decode(*dib);
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
}

std::optional<RgbaImage> ImageToRgba(const IconImage& image) {
  switch (image.kind) {
    case ImageKind::Dib: return DibToRgba(image.Data(), image.BlockSize());
    case ImageKind::Png: return DecodePng(image.Data(), image.BlockSize());
    case ImageKind::Unknown: break;
  }
  return std::nullopt;
}
