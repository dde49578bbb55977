#pragma once
// One icon as read for saving: every image block of the source, byte for byte.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

enum class ImageKind : uint8_t {
  Unknown,  // neither a DIB header nor a PNG stream; kept and written as is
  Dib,      // begins with a BITMAPINFOHEADER (biSize at least 40)
  Png,      // a PNG stream, as current modules store their large images
};

// An image's bytes as stored. Entries of an .ico that name the same bytes
// share one block.
using ImageBlock = std::shared_ptr<const std::vector<uint8_t>>;

struct IconImage {
  ImageBlock block;
  // Read from the block itself: 0 when its header cannot hold the image it
  // describes, so that no header makes an image larger than its bytes.
  uint32_t width = 0;
  uint32_t height = 0;
  uint32_t colorBits = 0;
  ImageKind kind = ImageKind::Unknown;
  // The size bytes the source's directory gave (0 standing for 256), written
  // back when the block's own header cannot be read.
  uint8_t listedWidth = 0;
  uint8_t listedHeight = 0;

  const uint8_t* Data() const { return block ? block->data() : nullptr; }
  uint32_t BlockSize() const { return block ? static_cast<uint32_t>(block->size()) : 0; }
};

// The image a block holds, its kind and geometry read from the block.
IconImage ImageOfBlock(ImageBlock block);

struct IconImageSet {
  std::string icoPath;     // the .ico file read, or empty
  std::string modulePath;  // the module read, or empty
  std::vector<IconImage> images;
};
using IconImageSetPtr = std::unique_ptr<IconImageSet>;
