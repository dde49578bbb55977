#pragma once
// The pictures of a cache, premultiplied, in 32-bit sections of a few
// megabytes each, made as their places are first used: one block transfer
// with alpha draws a picture, where an image list takes many times as long.
// User-interface thread only.

#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "formats/RgbaImage.h"

class CSectionDC;

class PictureAtlas {
 public:
  PictureAtlas();
  PictureAtlas(const PictureAtlas&) = delete;
  PictureAtlas& operator=(const PictureAtlas&) = delete;
  ~PictureAtlas();

  // Lets go of every picture; what follows is `side` pixels square.
  void Reset(int side);
  // False when the picture is not of the atlas's size or memory ran out.
  bool Store(int place, const RgbaImage& picture);
  // Draws a stored place with its top-left corner at (x, y); with a tint, as
  // a selected icon is drawn, half in that colour wherever it is opaque.
  void Draw(int place, HDC dc, int x, int y, const COLORREF* tint) const;

 private:
  struct Block;
  int PlacesPerBlock() const;
  // The section holding a place, and the place's first row in it; null when not made.
  const CSectionDC* SectionOf(int place, int* top) const;
  // The place's pixels, its section made if need be; null when that failed.
  uint8_t* MadePlaceBits(int place);

  int m_side = 0;
  std::vector<std::unique_ptr<Block>> m_blocks;
};
