#include "formats/PngWriter.h"

#include <zlib.h>

#include <cstdlib>
#include <new>

#include "formats/PngFormat.h"

namespace {

constexpr uint32_t kRgbaBytes = 4;

void AppendU32BigEndian(std::vector<uint8_t>& out, uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(value >> shift));
}

void AppendChunk(std::vector<uint8_t>& out, const char (&type)[5], const std::vector<uint8_t>& data) {
  AppendU32BigEndian(out, static_cast<uint32_t>(data.size()));
  const size_t typeAt = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  AppendU32BigEndian(out, crc32(crc32(0, nullptr, 0), out.data() + typeAt, static_cast<uInt>(4 + data.size())));
}

// Each row filtered by whichever of the five filters leaves the smallest sum
// of magnitudes, the usual guess at what deflate compresses best.
std::vector<uint8_t> FilteredRows(const RgbaImage& image) {
  const size_t rowBytes = static_cast<size_t>(image.width) * kRgbaBytes;
  std::vector<uint8_t> out;
  out.reserve((rowBytes + 1) * image.height);
  std::vector<uint8_t> candidate(rowBytes), best(rowBytes);
  for (uint32_t y = 0; y < image.height; ++y) {
    const uint8_t* row = image.pixels.data() + y * rowBytes;
    const uint8_t* up = y > 0 ? row - rowBytes : nullptr;
    uint64_t bestCost = UINT64_MAX;
    uint8_t bestType = 0;
    for (uint8_t type = 0; type < 5; ++type) {
      uint64_t cost = 0;
      for (size_t i = 0; i < rowBytes; ++i) {
        const int left = i >= kRgbaBytes ? row[i - kRgbaBytes] : 0;
        const int above = up ? up[i] : 0;
        const int upLeft = up && i >= kRgbaBytes ? up[i - kRgbaBytes] : 0;
        const int predicted = type == 1 ? left : type == 2 ? above : type == 3 ? (left + above) / 2
                              : type == 4 ? PaethPredictor(left, above, upLeft) : 0;
        candidate[i] = static_cast<uint8_t>(row[i] - predicted);
        cost += static_cast<uint64_t>(std::abs(static_cast<int8_t>(candidate[i])));
      }
      if (cost < bestCost) {
        bestCost = cost;
        bestType = type;
        best.swap(candidate);
      }
    }
    out.push_back(bestType);
    out.insert(out.end(), best.begin(), best.end());
  }
  return out;
}

std::vector<uint8_t> Encode(const RgbaImage& image) {
  const uint64_t pixelBytes = static_cast<uint64_t>(image.width) * image.height * kRgbaBytes;
  if (image.width == 0 || image.height == 0 || image.pixels.size() != pixelBytes) return {};

  const std::vector<uint8_t> rows = FilteredRows(image);
  uLongf compressedBytes = compressBound(static_cast<uLong>(rows.size()));
  std::vector<uint8_t> compressed(compressedBytes);
  if (compress2(compressed.data(), &compressedBytes, rows.data(), static_cast<uLong>(rows.size()), Z_DEFAULT_COMPRESSION) !=
      Z_OK)
    return {};
  compressed.resize(compressedBytes);

  // IHDR: width, height, 8 bits, RGBA, deflate, adaptive filters, no interlace.
  std::vector<uint8_t> header;
  AppendU32BigEndian(header, image.width);
  AppendU32BigEndian(header, image.height);
  header.insert(header.end(), {8, 6, 0, 0, 0});

  std::vector<uint8_t> png(kPngSignature, kPngSignature + sizeof kPngSignature);
  png.reserve(png.size() + 3 * 12 + header.size() + compressed.size());
  AppendChunk(png, "IHDR", header);
  AppendChunk(png, "IDAT", compressed);
  AppendChunk(png, "IEND", {});
  return png;
}

}  // namespace

std::vector<uint8_t> EncodePng(const RgbaImage& image) {
  try {
    return Encode(image);
  } catch (const std::bad_alloc&) {
    return {};
  }
}
