#include "collection/IconStrip.h"

#include <algorithm>
#include <memory>
#include <new>
#include <type_traits>

#include "formats/IconPixels.h"

namespace {

// Pictures per strip: a strip stays a modest bitmap however many icons come.
const size_t kStripPictures = 64;
// Below this alpha a pixel counts as transparent in the mask, which the list
// uses where it draws without alpha.
const uint8_t kOpaqueFrom = 128;

struct BitmapDeleter {
  void operator()(HBITMAP bitmap) const { ::DeleteObject(bitmap); }
};
using OwnedBitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, BitmapDeleter>;

// A top-down 32-bit section of straight (not premultiplied) blue, green, red
// and alpha, black wherever the mask makes a pixel transparent.
OwnedBitmap ColourStrip(const RgbaImage* const* pictures, int count, int width, int height) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width * count;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  OwnedBitmap strip(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!strip) return strip;
  auto* out = static_cast<uint8_t*>(bits);
  const size_t stripRow = static_cast<size_t>(width) * count * 4;
  for (int i = 0; i < count; ++i) {
    const uint8_t* in = pictures[i]->pixels.data();
    for (int y = 0; y < height; ++y) {
      uint8_t* pixel = out + y * stripRow + static_cast<size_t>(i) * width * 4;
      for (int x = 0; x < width; ++x, in += 4, pixel += 4) {
        if (in[3] == 0) continue;
        pixel[0] = in[2];
        pixel[1] = in[1];
        pixel[2] = in[0];
        pixel[3] = in[3];
      }
    }
  }
  return strip;
}

// One bit a pixel, set where transparent; rows padded to 16 bits.
OwnedBitmap MaskStrip(const RgbaImage* const* pictures, int count, int width, int height) {
  const int stripWidth = width * count;
  const size_t rowBytes = static_cast<size_t>((stripWidth + 15) / 16 * 2);
  std::vector<uint8_t> bits(rowBytes * height, 0);
  for (int i = 0; i < count; ++i) {
    const uint8_t* in = pictures[i]->pixels.data();
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x, in += 4) {
        const int column = i * width + x;
        if (in[3] < kOpaqueFrom) bits[y * rowBytes + column / 8] |= static_cast<uint8_t>(0x80 >> (column % 8));
      }
  }
  return OwnedBitmap(::CreateBitmap(stripWidth, height, 1, 1, bits.data()));
}

// The bytes a list asks for when `adding` more images make it grow, or 0 when
// it has room. The capacity is read from its bitmap; the growth step, set by
// the list's creator, is taken as at most kLargestGrowth images.
size_t GrowthBytes(HIMAGELIST list, int adding, int width, int height) {
  const size_t kLargestGrowth = 4096;
  // Lists lay images out in a few columns: a row's spare places may not count.
  const size_t kRowSlack = 4;
  const size_t imageBytes = static_cast<size_t>(width) * height * 4 + (static_cast<size_t>(width) * height + 7) / 8;
  const auto count = static_cast<size_t>(std::max(ImageList_GetImageCount(list), 0));
  IMAGEINFO info{};
  BITMAP bitmap{};
  size_t capacity = 0;
  if (count > 0 && ImageList_GetImageInfo(list, 0, &info) && info.hbmImage &&
      ::GetObjectA(info.hbmImage, sizeof bitmap, &bitmap))
    capacity = static_cast<size_t>(bitmap.bmWidth / width) * static_cast<size_t>(bitmap.bmHeight / height);
  if (count + adding + kRowSlack < capacity) return 0;
  return (std::max(capacity, count) + adding + kLargestGrowth) * imageBytes;
}

bool AppendFitted(HIMAGELIST list, const std::vector<const RgbaImage*>& pictures, int width, int height,
                  const BlockProbe& probe) {
  // Every picture at the list's size, so a strip is plain copying.
  std::vector<RgbaImage> resized;
  std::vector<const RgbaImage*> fitting(pictures);
  resized.reserve(pictures.size());
  for (const RgbaImage*& picture : fitting) {
    if (picture->width == static_cast<uint32_t>(width) && picture->height == static_cast<uint32_t>(height) &&
        picture->pixels.size() == static_cast<size_t>(width) * height * 4)
      continue;
    auto scaled = ScaleRgba(*picture, static_cast<uint32_t>(width), static_cast<uint32_t>(height));
    // One that memory cannot scale shows blank, so that image i stays icon i.
    if (!scaled) scaled = RgbaImage{static_cast<uint32_t>(width), static_cast<uint32_t>(height),
                                    std::vector<uint8_t>(static_cast<size_t>(width) * height * 4)};
    resized.push_back(std::move(*scaled));
    picture = &resized.back();
  }
  for (size_t first = 0; first < fitting.size(); first += kStripPictures) {
    const int count = static_cast<int>(std::min(kStripPictures, fitting.size() - first));
    const size_t growth = GrowthBytes(list, count, width, height);
    if (growth && !probe(growth)) return false;
    const OwnedBitmap colour = ColourStrip(fitting.data() + first, count, width, height);
    const OwnedBitmap mask = colour ? MaskStrip(fitting.data() + first, count, width, height) : nullptr;
    if (!colour || !mask || ImageList_Add(list, colour.get(), mask.get()) < 0) return false;
  }
  return true;
}

}  // namespace

bool CanAllocateBlock(size_t bytes) {
  void* block = ::VirtualAlloc(nullptr, bytes, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
  if (!block) return false;
  ::VirtualFree(block, 0, MEM_RELEASE);
  return true;
}

bool AppendPictureStrip(HIMAGELIST list, const std::vector<const RgbaImage*>& pictures, const BlockProbe& probe) {
  int width = 0;
  int height = 0;
  if (!list || !ImageList_GetIconSize(list, &width, &height) || width <= 0 || height <= 0) return false;
  try {
    return AppendFitted(list, pictures, width, height, probe);
  } catch (const std::bad_alloc&) {
    return false;
  }
}

