#pragma once
// A decoded picture: 8-bit red, green, blue and alpha per pixel, rows top first.

#include <cstdint>
#include <vector>

struct RgbaImage {
  uint32_t width = 0;
  uint32_t height = 0;
  std::vector<uint8_t> pixels;  // width * height * 4 bytes: R, G, B, A; top row first
};
