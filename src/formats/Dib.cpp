#include "formats/Dib.h"

namespace {

uint16_t ReadU16(const uint8_t* bytes) { return static_cast<uint16_t>(bytes[0] | (bytes[1] << 8)); }

uint32_t ReadU32(const uint8_t* bytes) {
  return static_cast<uint32_t>(bytes[0]) | (static_cast<uint32_t>(bytes[1]) << 8) |
         (static_cast<uint32_t>(bytes[2]) << 16) | (static_cast<uint32_t>(bytes[3]) << 24);
}

}  // namespace

uint32_t DibHeaderSize(const uint8_t* header) { return ReadU32(header); }
int32_t DibWidth(const uint8_t* header) { return static_cast<int32_t>(ReadU32(header + 4)); }
int32_t DibHeight(const uint8_t* header) { return static_cast<int32_t>(ReadU32(header + 8)); }
uint16_t DibPlanes(const uint8_t* header) { return ReadU16(header + 12); }
uint16_t DibBitCount(const uint8_t* header) { return ReadU16(header + 14); }

uint16_t DibColorCount(const uint8_t* header) {
  const uint32_t used = ReadU32(header + 32);
  if (used != 0) return static_cast<uint16_t>(used);
  switch (DibBitCount(header)) {
    case 1: return 2;
    case 4: return 16;
    case 8: return 256;
    default: return 0;
  }
}

uint16_t DibPaletteSize(const uint8_t* header) { return static_cast<uint16_t>(DibColorCount(header) * 4u); }

int64_t DibRowBytes(const uint8_t* header) {
  // |width| < 2^31 and bits × planes < 2^32, so the product stays inside 64 bits.
  const int64_t bits = static_cast<int64_t>(DibWidth(header)) * DibBitCount(header) * DibPlanes(header);
  return (bits + 31) / 32 * 4;
}

const uint8_t* DibBits(const uint8_t* header) { return header + DibHeaderSize(header) + DibPaletteSize(header); }
