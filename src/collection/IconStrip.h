#pragma once
// Appending many pictures to an image list at once: laid side by side into one
// 32-bit strip with its mask and added with one call. The list's own one-icon
// append costs milliseconds per icon, far more than making the picture.

#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "formats/RgbaImage.h"

// Appends the pictures in order; each must be of the list's image size.
void AppendPictureStrip(HIMAGELIST list, const std::vector<const RgbaImage*>& pictures);
