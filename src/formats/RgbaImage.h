#pragma once
// A decoded picture: 8-bit red, green, blue and alpha per pixel, rows top first.

#include <cstdint>
#include <vector>

struct RgbaImage {
  uint32_t width = 0;
  uint32_t height = 0;
  std::vector<uint8_t> pixels;  // width * height * 4 bytes: R, G, B, A; top row first
};

// No icon image comes near this (256 x 256 is 65536); a larger one is refused
// before anything is allocated for it, so that one decode stays within 16 MB
// of pixels and its work within a fraction of a second.
constexpr uint64_t kMaxDecodedPixels = 2048u * 2048u;
