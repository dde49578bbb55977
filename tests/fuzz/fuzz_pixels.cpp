// Feeds arbitrary bytes to the pixel readers: as a PNG stream when they start
// like one (chunk checksums put right first, so that mutations reach the
// header and the image data behind them), else as a DIB icon block. Whatever
// decodes must encode and decode back to the same pixels, and scale.

#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "formats/IconPixels.h"
#include "formats/PngFormat.h"
#include "formats/PngWriter.h"

namespace {

uint32_t BigEndianAt(const std::vector<uint8_t>& bytes, size_t at) {
  return static_cast<uint32_t>(bytes[at]) << 24 | bytes[at + 1] << 16 | bytes[at + 2] << 8 | bytes[at + 3];
}

void FixChecksums(std::vector<uint8_t>& bytes) {
  for (size_t at = sizeof kPngSignature; at + 12 <= bytes.size();) {
    const uint64_t length = BigEndianAt(bytes, at);
    if (length > bytes.size() - at - 12) return;
    const uint32_t crc = crc32(crc32(0, nullptr, 0), bytes.data() + at + 4, static_cast<uInt>(length + 4));
    for (int i = 0; i < 4; ++i) bytes[at + 8 + length + i] = static_cast<uint8_t>(crc >> (24 - 8 * i));
    at += 12 + length;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<uint8_t> bytes(data, data + size);
  const bool png = size >= sizeof kPngSignature && std::memcmp(data, kPngSignature, sizeof kPngSignature) == 0;
  if (png) FixChecksums(bytes);
  const auto image = png ? DecodePng(bytes.data(), bytes.size()) : DibToRgba(bytes.data(), bytes.size());
  if (!image) return 0;
  if (image->pixels.size() != static_cast<size_t>(image->width) * image->height * 4) std::abort();

  const std::vector<uint8_t> encoded = EncodePng(*image);
  const auto again = DecodePng(encoded.data(), encoded.size());
  if (!again || again->width != image->width || again->height != image->height || again->pixels != image->pixels)
    std::abort();
  for (const auto& [width, height] : {std::pair<uint32_t, uint32_t>{16, 16}, {3, 40}}) {
    const auto scaled = ScaleRgba(*image, width, height);
    if (!scaled || scaled->pixels.size() != static_cast<size_t>(width) * height * 4) std::abort();
  }
  return 0;
}
