#pragma once
// An image button whose face is a texture made once from the system colours:
// bright on the left, the face colour in the middle, dark on the right, with
// a little noise and a tint; a lighter copy shows while the mouse is over it.
// Where the caption would not read on it, the scheme's plain face instead.

#include <windows.h>

#include "controls/ImageButton.h"
#include "controls/PaletteDib.h"

class CShadedButton : public CImageButton {
 public:
  // The system colours a face is made of.
  struct FaceColours {
    COLORREF shadow;
    COLORREF face;
    COLORREF light;
  };

  // The one shade there is: light to dark from left to right. Callers name
  // it as SetShade's first argument, which asks for nothing else.
  static constexpr UINT kHorizontalShade = 5;

  // Builds both textures at the button's present size from the system
  // colours of this moment; call it once the control is attached.
  // granularity is the noise spread either way, highlight how far the hover
  // copy moves toward the light colour and colouring how far the normal one
  // moves toward colour, both in percent.
  void SetShade(UINT shade, BYTE granularity, BYTE highlight, BYTE colouring, COLORREF colour);
  // The same for a given size and colours.
  void SetShade(int width, int height, const FaceColours& colours, BYTE granularity, BYTE highlight,
                BYTE colouring, COLORREF colour);

  const CPaletteDib& GetTexture(bool highlighted) const { return highlighted ? m_highlighted : m_normal; }

 protected:
  void OnDrawBackground(CDC* dc, const RECT* rect) override;

 private:
  CPaletteDib m_normal;
  CPaletteDib m_highlighted;
};
