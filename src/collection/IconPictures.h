#pragma once
// The two pictures the list shows of one icon, in true colour with alpha,
// made straight from the icon's stored images. Any thread may make them.

#include <optional>
#include <string>

#include "formats/ModuleResources.h"
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

// Each picture from the image of one icon group picked for its side: at least
// that large and nearest, else the largest; of one size the most colour bits.
// An image that cannot be decoded is passed over for the next by that rule,
// and one picked for both sides is decoded once. None when the group is
// missing or malformed or none of its images decodes.
std::optional<IconPictures> PicturesOfGroup(const ModuleResources& module, const ResourceName& group,
                                            const PictureSides& sides);
// The same from an .ico file.
std::optional<IconPictures> PicturesOfIcoFile(const std::string& path, const PictureSides& sides);
