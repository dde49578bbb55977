#pragma once
// PNG output of icon images: one encoder for every caller.

#include <cstdint>
#include <optional>
#include <vector>

#include "formats/IconImageSet.h"
#include "formats/RgbaImage.h"

// An 8-bit RGBA PNG, compressed with zlib. Empty on failure.
std::vector<uint8_t> EncodePng(const RgbaImage& image);

// The image a picture of the icon uses: most pixels, then most colour bits,
// then the first. -1 when the set has none.
int LargestImageIndex(const IconImageSet& set);

// One image as PNG bytes: a PNG image's own bytes unchanged, a DIB converted.
// Nullopt when it cannot be.
std::optional<std::vector<uint8_t>> ImageAsPng(const IconImage& image);
