#pragma once
// Where each part of a DIB icon block lies, read from its BITMAPINFOHEADER
// through the bounds-checked reader. An icon's header counts the colour bitmap
// and the AND mask together in its height.

#include <cstdint>
#include <optional>

#include "formats/ByteReader.h"

constexpr uint32_t kDibHeaderBytes = 40;

struct DibLayout {
  uint32_t width = 0;
  uint32_t height = 0;  // of the image: half the header's
  uint16_t bitCount = 0;
  bool bitfields = false;   // BI_BITFIELDS: three colour masks stand where a colour table would
  uint64_t tableOffset = 0;  // colour table, or the masks after a 40-byte header
  uint64_t tableBytes = 0;
  uint64_t colourOffset = 0;
  uint64_t colourRowBytes = 0;
  uint64_t maskOffset = 0;
  uint64_t maskRowBytes = 0;
  bool maskFits = false;  // the mask lies wholly inside the block
};

// The layout when the header is one we understand (one plane; 1, 4, 8, 16, 24
// or 32 bits; uncompressed, or bit fields at 16 and 32 bits; a positive width
// and height) and the colour table and colour bitmap lie inside the block.
// Nothing otherwise: such a header gives an image no size at all, so that it
// can never claim more than its bytes hold.
std::optional<DibLayout> ReadDibLayout(const ByteReader& block);
