#pragma once
// The look every push button of the program's own windows shares: a
// blue-tinted shaded face and its command's icon left of the caption.

#include <windows.h>

#include "controls/ShadedButton.h"

inline void ApplyButtonLook(CShadedButton& button, UINT iconId) {
  button.SetShade(CShadedButton::kHorizontalShade, 8, 20, 5, RGB(55, 55, 255));
  button.SetIcons(iconId, 0);
}
