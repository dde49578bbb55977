#include "cli/ImageChoice.h"

#include <algorithm>

#include "formats/IconPixels.h"
#include "formats/ImagePick.h"
#include "formats/PngWriter.h"

std::optional<std::vector<uint8_t>> GroupPng(const IconImageSet& set, std::optional<uint32_t> size) {
  return size ? PickedPng(set, PickRule::Nearest, *size) : PickedPng(set, PickRule::Largest);
}

std::optional<std::vector<uint8_t>> ThumbnailPng(const IconImageSet& set, uint32_t size) {
  ImageDecoder decoder(set);
  const auto picked = decoder.First(PickOrder(ShapesOf(set), PickRule::AtLeast, size));
  if (!picked) return std::nullopt;
  const RgbaImage& pixels = *picked->pixels;
  const uint32_t larger = std::max(pixels.width, pixels.height);
  std::vector<uint8_t> png;
  if (larger <= size) {
    png = PngOfPicked(set.images[picked->index], pixels);
  } else {
    const auto side = [&](uint32_t length) {
      return std::max<uint32_t>(1, static_cast<uint32_t>(static_cast<uint64_t>(length) * size / larger));
    };
    const auto scaled = ScaleRgba(pixels, side(pixels.width), side(pixels.height));
    if (scaled) png = EncodePng(*scaled);
  }
  if (png.empty()) return std::nullopt;
  return png;
}
