#pragma once
// When the styled controls give up their design's colours for the colour
// scheme's own: while high contrast is on, or when a background of the
// design would leave the scheme's text colour too faint to read on it.

#include <windows.h>

#include <initializer_list>

// The contrast ratio of two colours as the WCAG defines it, 1 to 21.
double ContrastRatio(COLORREF first, COLORREF second);
bool HighContrastOn();
// True while high contrast is on, or when text of `schemeText` on one of the
// design's backgrounds would fall below 4.5:1.
bool NeedsSchemeColors(std::initializer_list<COLORREF> designBackgrounds, COLORREF schemeText);
// The link colour of the scheme, or its window text where that reads better on its window.
COLORREF SchemeLinkColor();
