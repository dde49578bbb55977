#pragma once
// Helpers that find their way through a device-independent bitmap. Each takes
// the start of a BITMAPINFOHEADER; the caller guarantees its 40 bytes exist.

#include <cstdint>

uint16_t DibColorCount(const uint8_t* header);
uint16_t DibPaletteSize(const uint8_t* header);
// Bytes of one row of the colour bitmap, padded to 4; computed without overflow
// (an absurd header gives a large value, never a wrapped one).
int64_t DibRowBytes(const uint8_t* header);
const uint8_t* DibBits(const uint8_t* header);

// Header fields read little-endian from unaligned bytes.
uint32_t DibHeaderSize(const uint8_t* header);
int32_t DibWidth(const uint8_t* header);
int32_t DibHeight(const uint8_t* header);
uint16_t DibPlanes(const uint8_t* header);
uint16_t DibBitCount(const uint8_t* header);
