#include "formats/IconImageSet.h"

#include <cstring>

#include "formats/ByteReader.h"
#include "formats/Dib.h"
#include "formats/PngFormat.h"

namespace {

uint32_t PngChannels(uint8_t colourType) {
  switch (colourType) {
    case 0: return 1;  // grey
    case 2: return 3;  // RGB
    case 3: return 1;  // palette index
    case 4: return 2;  // grey and alpha
    case 6: return 4;  // RGBA
    default: return 0;
  }
}

void ReadPngGeometry(IconImage& image, const ByteReader& bytes) {
  // IHDR is the first chunk: width, height, bit depth, colour type.
  const auto width = bytes.U32BigEndian(16);
  const auto height = bytes.U32BigEndian(20);
  const auto depth = bytes.U8(24);
  const auto colourType = bytes.U8(25);
  if (!width || !height || !depth || !colourType) return;
  image.width = *width;
  image.height = *height;
  image.colorBits = *depth * PngChannels(*colourType);
}

}  // namespace

IconImage ImageOfBlock(ImageBlock block) {
  IconImage image;
  image.block = std::move(block);
  if (!image.block) return image;
  const ByteReader bytes(image.block->data(), image.block->size());
  if (bytes.Has(0, sizeof kPngSignature) && std::memcmp(bytes.Data(), kPngSignature, sizeof kPngSignature) == 0) {
    image.kind = ImageKind::Png;
    ReadPngGeometry(image, bytes);
  } else if (bytes.Has(0, kDibHeaderBytes) && *bytes.U32(0) >= kDibHeaderBytes) {
    image.kind = ImageKind::Dib;
    if (const auto layout = ReadDibLayout(bytes)) {
      image.width = layout->width;
      image.height = layout->height;
      image.colorBits = layout->bitCount;
    }
  }
  return image;
}
