#pragma once
// The picture the list shows of one icon, in true colour with alpha, made
// straight from the icon's stored images. Any thread may make it.

#include <optional>

#include "formats/IconImageSet.h"
#include "formats/RgbaImage.h"

// The sides of the two views' pictures at 96 DPI.
constexpr int kLargeIconSize = 32;
constexpr int kSmallIconSize = 16;

// The picture side x side from the icon's image picked for that side by the
// images' own headers: at least that large and nearest, else the largest; of
// one size the most colour bits. An image that cannot be decoded is passed
// over for the next by that rule. None when none of its images decodes.
std::optional<RgbaImage> PictureOfSet(const IconImageSet& set, int side);
