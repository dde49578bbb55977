#pragma once
// PNG output of icon images: one encoder for every caller.

#include <cstdint>
#include <vector>

#include "formats/RgbaImage.h"

// An 8-bit RGBA PNG, compressed with zlib. Empty on failure.
std::vector<uint8_t> EncodePng(const RgbaImage& image);
