#include "collection/ImageListPicture.h"

#include <cstdint>
#include <new>
#include <vector>

#include "framework/Handle.h"

namespace {

// Below this alpha a pixel counts as transparent in the mask, which the list
// uses where it draws without alpha.
const uint8_t kOpaqueFrom = 128;

// A top-down 32-bit section of straight (not premultiplied) blue, green, red
// and alpha, black wherever the mask makes a pixel transparent.
CBitmapHandle ColourBitmap(const RgbaImage& picture) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = static_cast<LONG>(picture.width);
  info.bmiHeader.biHeight = -static_cast<LONG>(picture.height);
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  CBitmapHandle bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap) return bitmap;
  auto* pixel = static_cast<uint8_t*>(bits);
  for (size_t at = 0; at + 4 <= picture.pixels.size(); at += 4, pixel += 4) {
    const uint8_t* in = &picture.pixels[at];
    if (in[3] == 0) continue;
    pixel[0] = in[2];
    pixel[1] = in[1];
    pixel[2] = in[0];
    pixel[3] = in[3];
  }
  return bitmap;
}

// One bit a pixel, set where transparent; rows padded to 16 bits.
CBitmapHandle MaskBitmap(const RgbaImage& picture) {
  const size_t rowBytes = (picture.width + 15) / 16 * 2;
  std::vector<uint8_t> bits(rowBytes * picture.height, 0);
  const uint8_t* in = picture.pixels.data();
  for (uint32_t y = 0; y < picture.height; ++y)
    for (uint32_t x = 0; x < picture.width; ++x, in += 4)
      if (in[3] < kOpaqueFrom) bits[y * rowBytes + x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
  return CBitmapHandle(::CreateBitmap(static_cast<int>(picture.width), static_cast<int>(picture.height), 1, 1,
                                    bits.data()));
}

}  // namespace

bool PutPicture(HIMAGELIST list, int place, const RgbaImage& picture) {
  int width = 0;
  int height = 0;
  if (!list || !ImageList_GetIconSize(list, &width, &height) || picture.width != static_cast<uint32_t>(width) ||
      picture.height != static_cast<uint32_t>(height) || picture.pixels.size() != size_t{picture.width} * height * 4)
    return false;
  try {
    const CBitmapHandle colour = ColourBitmap(picture);
    const CBitmapHandle mask = colour ? MaskBitmap(picture) : CBitmapHandle();
    if (!colour || !mask) return false;
    if (place >= ImageList_GetImageCount(list)) return ImageList_Add(list, colour.Get(), mask.Get()) >= 0;
    return ImageList_Replace(list, place, colour.Get(), mask.Get()) != FALSE;
  } catch (const std::bad_alloc&) {
    return false;
  }
}
