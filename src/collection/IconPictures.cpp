#include "collection/IconPictures.h"

#include <cstdint>
#include <new>

#include "formats/IconPixels.h"
#include "formats/ImagePick.h"

std::optional<RgbaImage> PictureOfSet(const IconImageSet& set, int side) {
  try {
    // Our own rule: the system's picker asks the display for its depth on
    // every call, which costs more under Wine than making the picture.
    ImageDecoder decoder(set);
    const auto square = static_cast<uint32_t>(side);
    const auto picked = decoder.First(PickOrder(ShapesOf(set), PickRule::AtLeast, square));
    if (!picked) return std::nullopt;
    const RgbaImage& pixels = *picked->pixels;
    if (pixels.width != square || pixels.height != square) return ScaleRgba(pixels, square, square);
    return pixels;
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
}
