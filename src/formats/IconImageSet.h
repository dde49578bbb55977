#pragma once
// One icon as read for saving: every image block of the source, byte for byte.

#include <cstdint>
#include <memory>

constexpr size_t kMaxPathChars = 260;

enum class ImageKind : uint8_t {
  Unknown,  // neither a DIB we understand nor a PNG stream; kept and written as is
  Dib,      // begins with a BITMAPINFOHEADER (biSize at least 40)
  Png,      // a PNG stream, as current modules store their large images
};

struct IconImage {
  uint32_t width = 0;
  uint32_t height = 0;
  uint32_t colorBits = 0;
  uint8_t* block = nullptr;  // owned by the set
  uint32_t blockSize = 0;
  // The block is another entry's: an .ico whose entries name the same bytes.
  bool sharesBlock = false;
  ImageKind kind = ImageKind::Unknown;
  // Into the block; info equals block for a DIB. Null for PNG and unknown
  // blocks, and xorBits/andMask are null when the bitmaps do not fit the block.
  const uint8_t* info = nullptr;
  const uint8_t* xorBits = nullptr;
  const uint8_t* andMask = nullptr;
};

struct IconImageSet {
  char icoPath[kMaxPathChars] = {};
  char modulePath[kMaxPathChars] = {};
  uint32_t imageCount = 0;
  IconImage* images = nullptr;  // imageCount entries, owned by the set
};

// Frees every block and the set; a null set is ignored.
void ReleaseIconImageSet(IconImageSet* set);

// Creates a set with room for count empty images.
IconImageSet* NewIconImageSet(uint32_t count);

struct IconImageSetDeleter {
  void operator()(IconImageSet* set) const { ReleaseIconImageSet(set); }
};
using IconImageSetPtr = std::unique_ptr<IconImageSet, IconImageSetDeleter>;
