#pragma once
// The two pictures the list shows of one icon, in true colour with alpha,
// made straight from the icon's stored images. Any thread may make them.

#include <optional>
#include <string>

#include "formats/ModuleResources.h"
#include "formats/RgbaImage.h"

// At 96 DPI; the lists' sides grow with the display's.
constexpr int kLargeIconSize = 32;
constexpr int kSmallIconSize = 16;

// The sides of the two lists' square pictures, in pixels.
struct PictureSides {
  int large;
  int small;
};

struct IconPictures {
  RgbaImage large;  // sides.large square
  RgbaImage small;  // sides.small square
};

// From the images the system picks out of one icon group for each size; none
// when the group or a picked image is missing or malformed.
std::optional<IconPictures> PicturesOfGroup(const ModuleResources& module, const ResourceName& group,
                                            const PictureSides& sides);
// The same from an .ico file.
std::optional<IconPictures> PicturesOfIcoFile(const std::string& path, const PictureSides& sides);
