#pragma once
// Appending many icons to an image list at once: drawn side by side into one
// strip and added with one call. The list's own one-icon append costs
// milliseconds per icon, far more than loading the icon.

#include <windows.h>
#include <commctrl.h>

#include <vector>

// Appends the icons, scaled to the list's size, in order.
void AppendIconStrip(HIMAGELIST list, const std::vector<HICON>& icons);
