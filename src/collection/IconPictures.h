#pragma once
// The two pictures the list shows of one icon, in true colour with alpha,
// made straight from the icon's stored images. Any thread may make them.

#include <optional>
#include <string>

#include "formats/IconImageSet.h"
#include "formats/RgbaImage.h"

// The sides of the two pictures at 96 DPI.
constexpr int kLargeIconSize = 32;
constexpr int kSmallIconSize = 16;

struct PictureSides {
  int large;
  int small;
};

struct IconPictures {
  RgbaImage large;  // sides.large square
  RgbaImage small;  // sides.small square
};

// Each picture from the icon's image picked for its side by the images' own
// headers: at least that large and nearest, else the largest; of one size the
// most colour bits. An image that cannot be decoded is passed over for the
// next by that rule, and one picked for both sides is decoded once. None when
// none of its images decodes.
std::optional<IconPictures> PicturesOfSet(const IconImageSet& set, const PictureSides& sides);
