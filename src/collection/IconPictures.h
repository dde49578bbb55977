#pragma once
// The two pictures the list shows of one icon, in true colour with alpha,
// made straight from the icon's stored images. Any thread may make them.

#include <optional>
#include <string>

#include "formats/ModuleResources.h"
#include "formats/RgbaImage.h"

constexpr int kLargeIconSize = 32;
constexpr int kSmallIconSize = 16;

struct IconPictures {
  RgbaImage large;  // kLargeIconSize square
  RgbaImage small;  // kSmallIconSize square
};

// From the images the system picks out of one icon group for each size; none
// when the group or a picked image is missing or malformed.
std::optional<IconPictures> PicturesOfGroup(const ModuleResources& module, const ResourceName& group);
// The same from an .ico file.
std::optional<IconPictures> PicturesOfIcoFile(const std::string& path);
