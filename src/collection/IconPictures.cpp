#include "collection/IconPictures.h"

#include <algorithm>
#include <cstdint>
#include <new>
#include <vector>

#include "formats/IconPixels.h"
#include "formats/ImagePick.h"

namespace {

// The picture at side x side, resampled when the image has another size.
std::optional<RgbaImage> Fitted(const RgbaImage& pixels, int side) {
  const auto square = static_cast<uint32_t>(side);
  if (pixels.width != square || pixels.height != square) return ScaleRgba(pixels, square, square);
  return pixels;
}

// Both pictures, each from the first image of its side's order that decodes.
// Our own rule: the system's picker asks the display for its depth on every
// call, which costs more under Wine than making the picture.
std::optional<IconPictures> PicturesOf(const std::vector<ImageShape>& shapes, ImageDecoder& decoder,
                                       const PictureSides& sides) {
  const auto large = decoder.First(PickOrder(shapes, PickRule::AtLeast, static_cast<uint32_t>(sides.large)));
  const auto small = decoder.First(PickOrder(shapes, PickRule::AtLeast, static_cast<uint32_t>(sides.small)));
  if (!large || !small) return std::nullopt;
  auto largePicture = Fitted(*large->pixels, sides.large);
  auto smallPicture = Fitted(*small->pixels, sides.small);
  if (!largePicture || !smallPicture) return std::nullopt;
  return IconPictures{std::move(*largePicture), std::move(*smallPicture)};
}

}  // namespace

std::optional<IconPictures> PicturesOfSet(const IconImageSet& set, const PictureSides& sides) {
  try {
    ImageDecoder decoder(set);
    return PicturesOf(ShapesOf(set), decoder, sides);
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
}
