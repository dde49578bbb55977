#include "controls/HlsColor.h"

#include <algorithm>

namespace {

// The reciprocals are written out, not divided by, so that every result
// rounds exactly as the reference values were made.
const float kBy510 = 0.0019607844f;
const float kBy360 = 0.0027777778f;
const float kBy255 = 0.003921569f;
const float kBy60 = 0.016666668f;

int Truncate(float value) { return static_cast<int>(value); }

int Adjusted(int byte, int percent) {
  if (percent > 0) return byte + (255 - byte) * percent / 100;
  if (percent < 0) return byte * (100 + percent) / 100;
  return byte;
}

}  // namespace

PackedHls RgbToHls(COLORREF color) {
  const int r = GetRValue(color);
  const int g = GetGValue(color);
  const int b = GetBValue(color);
  const int max = std::max({r, g, b});
  const int min = std::min({r, g, b});
  const int sum = max + min;
  const int diff = max - min;
  const float l = static_cast<float>(sum) * kBy510;
  float h = 0.0f;
  float s = 0.0f;
  if (max != min) {
    s = static_cast<float>(diff) / static_cast<float>(l > 0.5f ? 510 - sum : sum);
    const float dr = static_cast<float>(max - r) / static_cast<float>(diff);
    const float dg = static_cast<float>(max - g) / static_cast<float>(diff);
    const float db = static_cast<float>(max - b) / static_cast<float>(diff);
    if (b == max)
      h = (4.0f + dg - dr) * 60.0f;
    else if (g == max)
      h = (2.0f + dr - db) * 60.0f;
    else
      h = (6.0f + db - dg) * 60.0f;
    if (h > 360.0f) h -= 360.0f;
  }
  const int hue = Truncate(h * 255.0f * kBy360);
  const int lightness = Truncate(l * 255.0f);
  const int saturation = Truncate(s * 255.0f);
  return static_cast<PackedHls>(hue | lightness << 8 | saturation << 16);
}

COLORREF HlsToRgb(PackedHls hls) {
  const int hueByte = hls & 0xFF;
  const int lightByte = (hls >> 8) & 0xFF;
  const int saturationByte = (hls >> 16) & 0xFF;
  const float h = static_cast<float>(hueByte * 360) * kBy255;
  const float l = static_cast<float>(lightByte) * kBy255;
  const float s = static_cast<float>(saturationByte) * kBy255;
  if (s == 0.0f) return RGB(lightByte, lightByte, lightByte);
  const float m2 = l <= 0.5f ? l * (1.0f + s) : l + s - l * s;
  const float m1 = 2.0f * l - m2;
  return RGB(HueToChannel(m1, m2, h + 120.0f), HueToChannel(m1, m2, h), HueToChannel(m1, m2, h - 120.0f));
}

int HueToChannel(float m1, float m2, float hue) {
  if (hue > 360.0f)
    hue -= 360.0f;
  else if (hue < 0.0f)
    hue += 360.0f;
  float value = m1;
  if (hue < 60.0f)
    value = m1 + (m2 - m1) * hue * kBy60;
  else if (hue < 180.0f)
    value = m2;
  else if (hue < 240.0f)
    value = m1 + (m2 - m1) * (240.0f - hue) * kBy60;
  return Truncate(value * 255.0f);
}

COLORREF AdjustColor(COLORREF color, int lightPercent, int saturationPercent) {
  const PackedHls hls = RgbToHls(color);
  const int lightness = Adjusted((hls >> 8) & 0xFF, lightPercent);
  const int saturation = Adjusted((hls >> 16) & 0xFF, saturationPercent);
  return HlsToRgb((hls & 0xFF) | lightness << 8 | saturation << 16);
}
