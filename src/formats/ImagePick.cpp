#include "formats/ImagePick.h"

#include <algorithm>
#include <new>
#include <numeric>
#include <tuple>

#include "formats/IconPixels.h"
#include "formats/PngWriter.h"

namespace {

uint64_t SizeOf(const ImageShape& shape) { return std::max(shape.width, shape.height); }
uint64_t PixelsOf(const ImageShape& shape) { return uint64_t{shape.width} * shape.height; }

// Smaller is better.
std::tuple<bool, uint64_t, uint64_t> Rank(const ImageShape& shape, PickRule rule, uint64_t side) {
  const uint64_t size = SizeOf(shape);
  const uint64_t maxSize = UINT32_MAX;
  switch (rule) {
    case PickRule::AtLeast:
      return {size < side, size < side ? maxSize - size : size - side, 0};
    case PickRule::Nearest:
      return {false, size < side ? side - size : size - side, maxSize - size};
    case PickRule::Largest: break;
  }
  return {false, UINT64_MAX - PixelsOf(shape), 0};
}

}  // namespace

std::vector<uint32_t> PickOrder(const std::vector<ImageShape>& shapes, PickRule rule, uint32_t side) {
  std::vector<uint32_t> order(shapes.size());
  std::iota(order.begin(), order.end(), 0u);
  std::stable_sort(order.begin(), order.end(), [&](uint32_t a, uint32_t b) {
    const auto rankA = Rank(shapes[a], rule, side), rankB = Rank(shapes[b], rule, side);
    if (rankA != rankB) return rankA < rankB;
    return shapes[a].colorBits > shapes[b].colorBits;
  });
  return order;
}

std::vector<ImageShape> ShapesOf(const IconImageSet& set) {
  std::vector<ImageShape> shapes;
  for (const IconImage& image : set.images) shapes.push_back({image.width, image.height, image.colorBits});
  return shapes;
}

ImageDecoder::ImageDecoder(const IconImageSet& set)
    : ImageDecoder(set.images.size(), [&set](uint32_t index) { return ImageToRgba(set.images[index]); }) {}

std::optional<PickedImage> ImageDecoder::First(const std::vector<uint32_t>& order) {
  for (const uint32_t index : order) {
    if (index >= m_results.size()) continue;
    Result& result = m_results[index];
    if (!result.tried) {
      result.tried = true;
      result.pixels = m_decode(index);
    }
    if (result.pixels) return PickedImage{index, &*result.pixels};
  }
  return std::nullopt;
}

std::vector<uint8_t> PngOfPicked(const IconImage& image, const RgbaImage& pixels) {
  try {
    if (image.kind == ImageKind::Png) return *image.block;
    return EncodePng(pixels);
  } catch (const std::bad_alloc&) {
    return {};
  }
}

std::optional<std::vector<uint8_t>> PickedPng(const IconImageSet& set, PickRule rule, uint32_t side) {
  ImageDecoder decoder(set);
  const auto picked = decoder.First(PickOrder(ShapesOf(set), rule, side));
  if (!picked) return std::nullopt;
  std::vector<uint8_t> png = PngOfPicked(set.images[picked->index], *picked->pixels);
  if (png.empty()) return std::nullopt;
  return png;
}
