#pragma once
// Colour arithmetic in hue/lightness/saturation space, from which the flat
// menus derive every colour from the system colours. Single-precision floats
// throughout, truncated toward zero, so results match to the last unit.

#include <windows.h>

// Hue in bits 0-7 (0..255 for 0..360 degrees), lightness in 8-15, saturation in 16-23.
using PackedHls = DWORD;

PackedHls RgbToHls(COLORREF color);
COLORREF HlsToRgb(PackedHls hls);
int HueToChannel(float m1, float m2, float hue);
// Percentages above 0 move toward white (lightness) or full colour
// (saturation), below 0 toward black or grey.
COLORREF AdjustColor(COLORREF color, int lightPercent, int saturationPercent);
