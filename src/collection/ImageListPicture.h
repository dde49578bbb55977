#pragma once
// One picture into one place of a 32-bit image list with its mask, as the
// list draws it with alpha where it can and through the mask where it cannot.

#include <windows.h>
#include <commctrl.h>

#include "formats/RgbaImage.h"

// Replaces the image at `place`, or appends when `place` is the list's count.
// The picture must be the list's size. False when memory or the list ran out.
bool PutPicture(HIMAGELIST list, int place, const RgbaImage& picture);
