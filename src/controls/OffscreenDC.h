#pragma once
// Composes a drawing off screen and puts it on the target with one block
// transfer when it goes out of scope, so nothing flickers. Drawing uses the
// target's own coordinates: the bitmap reaches from the origin to the area's
// bottom-right corner and everything outside the area is clipped away.

#include <windows.h>

#include "framework/Gdi.h"

class COffscreenDC : public CDC {
 public:
  // An empty or missing area means the target's clip box.
  COffscreenDC(HDC target, const RECT* area);
  ~COffscreenDC() override;

 private:
  HDC m_target;
  CBitmap m_bitmap;
  RECT m_area{};
  HGDIOBJ m_oldBitmap = nullptr;
};
