#pragma once
// An icon image's pixels as RGBA, from either kind of block, and resampled.
// None of these throws: a picture that memory cannot hold is a refused image.

#include <cstddef>
#include <cstdint>
#include <optional>

#include "formats/IconImageSet.h"
#include "formats/RgbaImage.h"

// A DIB icon block (its header's height counting colour bitmap and AND mask)
// as RGBA: 1, 4, 8, 16, 24 and 32 bits. A 32-bit image with any non-zero
// alpha keeps it; otherwise alpha is 0 where the mask bit is set, else 255.
// Nullopt when bits or mask run past the block, the header is malformed, or
// the image is larger than kMaxDecodedPixels.
std::optional<RgbaImage> DibToRgba(const uint8_t* block, size_t size);

// A PNG stream, every colour type and depth, interlaced or not. Nullopt when
// malformed, or larger than kMaxDecodedPixels.
std::optional<RgbaImage> DecodePng(const uint8_t* data, size_t size);

// Either kind, by the image's kind.
std::optional<RgbaImage> ImageToRgba(const IconImage& image);

// Resampled to width x height: area-averaged when shrinking (colours weighted
// by alpha), nearest pixel when growing. Nullopt when memory runs out.
std::optional<RgbaImage> ScaleRgba(const RgbaImage& source, uint32_t width, uint32_t height);
