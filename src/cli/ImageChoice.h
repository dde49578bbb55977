#pragma once
// Which image of an icon a command writes, as PNG bytes. An image that cannot
// be decoded is passed over for the next by the same rule; none when no image
// of the icon decodes.

#include <cstdint>
#include <optional>
#include <vector>

#include "formats/IconImageSet.h"

// `png`: the largest image, or with a size the one nearest it (ties go to the
// larger image, then to more colour bits).
std::optional<std::vector<uint8_t>> GroupPng(const IconImageSet& set, std::optional<uint32_t> size);

// `thumbnail`: the smallest image at least `size` (by its larger side),
// scaled down so that its larger side is `size`; when every image is smaller,
// the largest as it is, never enlarged. Ties go to more colour bits.
std::optional<std::vector<uint8_t>> ThumbnailPng(const IconImageSet& set, uint32_t size);
