#include <algorithm>
#include <new>
#include <vector>

#include "formats/IconPixels.h"

namespace {

struct Tap {
  uint32_t source;
  uint64_t weight;
};

// For each target index along one axis, the source indices it draws on with
// their weights. Shrinking, a target pixel spans source * target units and
// each source pixel it overlaps counts by the length of the overlap; growing,
// it takes the one source pixel under its centre.
std::vector<std::vector<Tap>> TapsOf(uint32_t source, uint32_t target) {
  std::vector<std::vector<Tap>> taps(target);
  for (uint32_t t = 0; t < target; ++t) {
    if (target >= source) {
      taps[t].push_back({static_cast<uint32_t>((2 * static_cast<uint64_t>(t) + 1) * source / (2 * target)), 1});
      continue;
    }
    const uint64_t begin = static_cast<uint64_t>(t) * source, end = begin + source;
    for (uint64_t s = begin / target; s * target < end; ++s) {
      const uint64_t from = std::max(begin, s * target), to = std::min(end, (s + 1) * target);
      taps[t].push_back({static_cast<uint32_t>(s), to - from});
    }
  }
  return taps;
}

RgbaImage Scale(const RgbaImage& source, uint32_t width, uint32_t height) {
  RgbaImage scaled;
  scaled.width = width;
  scaled.height = height;
  scaled.pixels.assign(static_cast<size_t>(width) * height * 4, 0);
  if (source.width == 0 || source.height == 0 || source.pixels.size() < static_cast<size_t>(source.width) * source.height * 4)
    return scaled;

  const auto columns = TapsOf(source.width, width);
  const auto rows = TapsOf(source.height, height);
  uint8_t* out = scaled.pixels.data();
  for (uint32_t y = 0; y < height; ++y) {
    for (uint32_t x = 0; x < width; ++x, out += 4) {
      // Colours weighted by their alpha, so that transparent pixels lend an
      // edge none of their colour; where all is transparent, plainly averaged.
      uint64_t weights = 0, alpha = 0, colour[3] = {}, plain[3] = {};
      for (const Tap& row : rows[y]) {
        for (const Tap& column : columns[x]) {
          const uint8_t* pixel = source.pixels.data() + (static_cast<size_t>(row.source) * source.width + column.source) * 4;
          const uint64_t weight = row.weight * column.weight;
          weights += weight;
          alpha += weight * pixel[3];
          for (int c = 0; c < 3; ++c) {
            colour[c] += weight * pixel[3] * pixel[c];
            plain[c] += weight * pixel[c];
          }
        }
      }
      for (int c = 0; c < 3; ++c)
        out[c] = static_cast<uint8_t>(alpha ? (colour[c] + alpha / 2) / alpha : (plain[c] + weights / 2) / weights);
      out[3] = static_cast<uint8_t>((alpha + weights / 2) / weights);
    }
  }
  return scaled;
}

}  // namespace

std::optional<RgbaImage> ScaleRgba(const RgbaImage& source, uint32_t width, uint32_t height) {
  try {
    return Scale(source, width, height);
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
}
