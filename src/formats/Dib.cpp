#include "formats/Dib.h"

namespace {

constexpr uint32_t kUncompressed = 0;
constexpr uint32_t kBitfields = 3;
constexpr uint32_t kMaskBytes = 12;
// Pixels no icon comes near; a larger claim is refused before any arithmetic on it.
constexpr uint64_t kMaxSide = 1u << 16;

uint64_t PaddedRowBytes(uint64_t width, uint32_t bits) { return (width * bits + 31) / 32 * 4; }

}  // namespace

std::optional<DibLayout> ReadDibLayout(const ByteReader& block) {
  if (!block.Has(0, kDibHeaderBytes)) return std::nullopt;
  const uint32_t headerSize = *block.U32(0);
  const int32_t width = *block.I32(4);
  const int32_t doubledHeight = *block.I32(8);
  const uint16_t planes = *block.U16(12);
  const uint16_t bitCount = *block.U16(14);
  const uint32_t compression = *block.U32(16);
  const uint32_t coloursUsed = *block.U32(32);
  if (headerSize < kDibHeaderBytes || planes != 1) return std::nullopt;
  // A negative height would be a top-down bitmap, which has no meaning for a
  // colour bitmap and mask stacked in one height.
  if (width <= 0 || doubledHeight / 2 <= 0 || static_cast<uint64_t>(width) > kMaxSide ||
      static_cast<uint64_t>(doubledHeight / 2) > kMaxSide)
    return std::nullopt;

  DibLayout layout;
  layout.width = static_cast<uint32_t>(width);
  layout.height = static_cast<uint32_t>(doubledHeight / 2);
  layout.bitCount = bitCount;
  layout.bitfields = compression == kBitfields;
  if (compression != kUncompressed && !(layout.bitfields && (bitCount == 16 || bitCount == 32))) return std::nullopt;

  // A table of biClrUsed entries may stand before the pixels at any depth.
  uint64_t tableEntries = coloursUsed;
  switch (bitCount) {
    case 1:
    case 4:
    case 8:
      if (tableEntries == 0) tableEntries = 1u << bitCount;
      break;
    case 16:
    case 24:
    case 32: break;
    default: return std::nullopt;
  }
  layout.tableOffset = headerSize;
  layout.tableBytes = tableEntries * 4 + (layout.bitfields && headerSize == kDibHeaderBytes ? kMaskBytes : 0);
  layout.colourOffset = layout.tableOffset + layout.tableBytes;
  layout.colourRowBytes = PaddedRowBytes(layout.width, bitCount);
  layout.maskRowBytes = PaddedRowBytes(layout.width, 1);
  if (!block.Has(layout.colourOffset, layout.colourRowBytes * layout.height)) return std::nullopt;
  layout.maskOffset = layout.colourOffset + layout.colourRowBytes * layout.height;
  layout.maskFits = block.Has(layout.maskOffset, layout.maskRowBytes * layout.height);
  return layout;
}
