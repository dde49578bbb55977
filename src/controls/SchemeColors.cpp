#include "controls/SchemeColors.h"

#include <algorithm>
#include <cmath>

namespace {

const double kMinimumContrast = 4.5;

double Linear(BYTE channel) {
  const double c = channel / 255.0;
  return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Luminance(COLORREF c) {
  return 0.2126 * Linear(GetRValue(c)) + 0.7152 * Linear(GetGValue(c)) + 0.0722 * Linear(GetBValue(c));
}

}  // namespace

double ContrastRatio(COLORREF first, COLORREF second) {
  const double a = Luminance(first);
  const double b = Luminance(second);
  return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

bool HighContrastOn() {
  HIGHCONTRASTA contrast{};
  contrast.cbSize = sizeof contrast;
  return ::SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
         (contrast.dwFlags & HCF_HIGHCONTRASTON);
}

bool NeedsSchemeColors(std::initializer_list<COLORREF> designBackgrounds, COLORREF schemeText) {
  if (HighContrastOn()) return true;
  return std::any_of(designBackgrounds.begin(), designBackgrounds.end(),
                     [&](COLORREF back) { return ContrastRatio(back, schemeText) < kMinimumContrast; });
}

COLORREF SchemeLinkColor() {
  const COLORREF window = ::GetSysColor(COLOR_WINDOW);
  const COLORREF link = ::GetSysColor(COLOR_HOTLIGHT);
  return ContrastRatio(link, window) >= kMinimumContrast ? link : ::GetSysColor(COLOR_WINDOWTEXT);
}
