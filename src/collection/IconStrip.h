#pragma once
// Appending many pictures to an image list at once: laid side by side into one
// 32-bit strip with its mask and added with one call. The list's own one-icon
// append costs milliseconds per icon, far more than making the picture.

#include <windows.h>
#include <commctrl.h>

#include <cstddef>
#include <functional>
#include <vector>

#include "formats/RgbaImage.h"

// Whether a block of this many bytes can be had now. A list that cannot grow
// may still count the pictures as added and lose every one it held (Wine's
// do), so each growth of a list is first tried on such a block.
using BlockProbe = std::function<bool(size_t bytes)>;
bool CanAllocateBlock(size_t bytes);

// Appends the pictures in order, each resampled to the list's image size
// when it has another. False when memory or the list ran out: the pictures
// before the strip that failed are in the list, none after.
bool AppendPictureStrip(HIMAGELIST list, const std::vector<const RgbaImage*>& pictures, const BlockProbe& probe);
