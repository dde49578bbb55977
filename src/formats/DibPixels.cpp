#include "formats/ByteReader.h"
#include "formats/IconPixels.h"

namespace {

constexpr uint32_t kDibHeaderBytes = 40;
constexpr uint32_t kUncompressed = 0;

struct DibLayout {
  uint32_t width = 0;
  uint32_t height = 0;  // of the image, half the header's
  uint16_t bitCount = 0;
  ByteReader palette;
  ByteReader colourBits;
  ByteReader mask;
  uint64_t colourRowBytes = 0;
  uint64_t maskRowBytes = 0;
};

uint64_t PaddedRowBytes(uint64_t width, uint32_t bits) { return (width * bits + 31) / 32 * 4; }

// Where each part of the block lies; nothing when one runs past its end.
std::optional<DibLayout> ReadLayout(const ByteReader& block) {
  if (!block.Has(0, kDibHeaderBytes)) return std::nullopt;
  const uint32_t headerSize = *block.U32(0);
  const int32_t width = *block.I32(4);
  const int32_t doubledHeight = *block.I32(8);
  const uint16_t planes = *block.U16(12);
  const uint16_t bitCount = *block.U16(14);
  const uint32_t compression = *block.U32(16);
  const uint32_t coloursUsed = *block.U32(32);
  if (headerSize < kDibHeaderBytes || planes != 1 || compression != kUncompressed) return std::nullopt;
  if (width <= 0 || doubledHeight / 2 <= 0) return std::nullopt;

  DibLayout layout;
  layout.width = static_cast<uint32_t>(width);
  layout.height = static_cast<uint32_t>(doubledHeight / 2);
  layout.bitCount = bitCount;
  if (static_cast<uint64_t>(layout.width) * layout.height > kMaxDecodedPixels) return std::nullopt;

  uint64_t paletteEntries = 0;
  switch (layout.bitCount) {
    case 1:
    case 4:
    case 8: paletteEntries = coloursUsed != 0 ? coloursUsed : 1u << layout.bitCount; break;
    case 16:
    case 24:
    case 32: break;
    default: return std::nullopt;
  }
  layout.colourRowBytes = PaddedRowBytes(layout.width, layout.bitCount);
  layout.maskRowBytes = PaddedRowBytes(layout.width, 1);
  const uint64_t paletteBytes = paletteEntries * 4;
  const uint64_t colourBytes = layout.colourRowBytes * layout.height;
  const auto palette = block.Slice(headerSize, paletteBytes);
  const auto colourBits = block.Slice(headerSize + paletteBytes, colourBytes);
  const auto mask = block.Slice(headerSize + paletteBytes + colourBytes,
                                layout.maskRowBytes * layout.height);
  if (!palette || !colourBits || !mask) return std::nullopt;
  layout.palette = *palette;
  layout.colourBits = *colourBits;
  layout.mask = *mask;
  return layout;
}

void Put(uint8_t* out, uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha) {
  out[0] = red;
  out[1] = green;
  out[2] = blue;
  out[3] = alpha;
}

uint8_t WidenFiveBits(uint32_t value) { return static_cast<uint8_t>((value * 255 + 15) / 31); }

// One pixel of a stored row (blue before green before red) as R, G, B, A;
// alpha is 255 but for 32 bits.
void ReadColour(const DibLayout& dib, const uint8_t* row, uint32_t x, uint8_t* out) {
  switch (dib.bitCount) {
    case 1:
    case 4:
    case 8: {
      const uint32_t bitOffset = x * dib.bitCount;
      const uint32_t index = (row[bitOffset / 8] >> (8 - dib.bitCount - bitOffset % 8)) & ((1u << dib.bitCount) - 1);
      // An index past a short colour table shows black.
      if (!dib.palette.Has(static_cast<uint64_t>(index) * 4, 4)) return Put(out, 0, 0, 0, 255);
      const uint8_t* entry = dib.palette.Data() + index * 4;
      return Put(out, entry[2], entry[1], entry[0], 255);
    }
    case 16: {
      const uint32_t value = row[x * 2] | (row[x * 2 + 1] << 8);  // five bits each of red, green, blue
      return Put(out, WidenFiveBits(value >> 10 & 31), WidenFiveBits(value >> 5 & 31), WidenFiveBits(value & 31), 255);
    }
    case 24: return Put(out, row[x * 3 + 2], row[x * 3 + 1], row[x * 3], 255);
    default: return Put(out, row[x * 4 + 2], row[x * 4 + 1], row[x * 4], row[x * 4 + 3]);
  }
}

}  // namespace

std::optional<RgbaImage> DibToRgba(const uint8_t* block, size_t size) {
  if (!block) return std::nullopt;
  const auto layout = ReadLayout(ByteReader(block, size));
  if (!layout) return std::nullopt;
  const DibLayout& dib = *layout;

  RgbaImage image;
  image.width = dib.width;
  image.height = dib.height;
  image.pixels.resize(static_cast<size_t>(dib.width) * dib.height * 4);
  bool anyAlpha = false;
  for (uint32_t y = 0; y < dib.height; ++y) {
    const uint32_t storedRow = dib.height - 1 - y;
    const uint8_t* colourRow = dib.colourBits.Data() + storedRow * dib.colourRowBytes;
    uint8_t* out = image.pixels.data() + static_cast<size_t>(y) * dib.width * 4;
    for (uint32_t x = 0; x < dib.width; ++x, out += 4) {
      ReadColour(dib, colourRow, x, out);
      anyAlpha |= dib.bitCount == 32 && out[3] != 0;
    }
  }
  if (anyAlpha) return image;

  for (uint32_t y = 0; y < dib.height; ++y) {
    const uint8_t* maskRow = dib.mask.Data() + (dib.height - 1 - y) * dib.maskRowBytes;
    uint8_t* out = image.pixels.data() + static_cast<size_t>(y) * dib.width * 4;
    for (uint32_t x = 0; x < dib.width; ++x) out[x * 4 + 3] = (maskRow[x / 8] >> (7 - x % 8)) & 1 ? 0 : 255;
  }
  return image;
}

std::optional<RgbaImage> ImageToRgba(const IconImage& image) {
  switch (image.kind) {
    case ImageKind::Dib: return DibToRgba(image.block, image.blockSize);
    case ImageKind::Png: return DecodePng(image.block, image.blockSize);
    case ImageKind::Unknown: break;
  }
  return std::nullopt;
}
