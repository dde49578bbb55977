#pragma once
// One table of malformed and odd images, each 32x32, run through the core and
// through the command: with the colour of its bottom-left pixel when it must
// decode, or none when it must be passed over.

#include <zlib.h>

#include <array>
#include <optional>

#include "FormatTestHelpers.h"
#include "formats/PngFormat.h"
#include "formats/PngWriter.h"

struct OddImage {
  const char* what;
  Bytes block;
  std::optional<std::array<uint8_t, 3>> bottomLeft;  // R, G, B
};

// A 32x32 DIB: a colour table of 0x11 bytes (if any), every pixel `pixel`, a
// clear mask; with masks, stored as bit fields.
inline Bytes UniformDib(uint16_t bits, uint32_t coloursUsed, const Bytes& pixel, const std::vector<uint32_t>& masks = {}) {
  Bytes block = MakeDibBlock(32, 32, bits, coloursUsed);
  const size_t table = coloursUsed * 4, rowBytes = (32u * bits + 31) / 32 * 4;
  std::fill(block.begin() + 40, block.begin() + 40 + table, 0x11);
  for (size_t y = 0; y < 32; ++y)
    for (size_t x = 0; x < 32; ++x) std::copy(pixel.begin(), pixel.end(), block.begin() + 40 + table + y * rowBytes + x * pixel.size());
  std::fill(block.begin() + 40 + table + 32 * rowBytes, block.end(), 0);
  if (!masks.empty()) PutU32At(block, 16, 3);
  for (size_t i = masks.size(); i-- > 0;) {
    const Bytes mask = {uint8_t(masks[i]), uint8_t(masks[i] >> 8), uint8_t(masks[i] >> 16), uint8_t(masks[i] >> 24)};
    block.insert(block.begin() + 40, mask.begin(), mask.end());
  }
  return block;
}

inline Bytes BigEndian(uint32_t value) { return {uint8_t(value >> 24), uint8_t(value >> 16), uint8_t(value >> 8), uint8_t(value)}; }

inline void AppendChunk(Bytes& png, const char* type, const Bytes& data) {
  const size_t start = png.size() + 4;
  for (const Bytes& part : {BigEndian(static_cast<uint32_t>(data.size())), Bytes(type, type + 4), data})
    png.insert(png.end(), part.begin(), part.end());
  const Bytes crc = BigEndian(crc32(crc32(0, nullptr, 0), png.data() + start, static_cast<uInt>(png.size() - start)));
  png.insert(png.end(), crc.begin(), crc.end());
}

// A 16-bit RGBA PNG of width x height whose image data holds `rows` rows of
// zeros, deflated one at a time.
inline Bytes BlackPng(uint32_t width, uint32_t height, uint32_t rows) {
  Bytes header = BigEndian(width), row(width * 8 + 1), png(8);
  std::copy(kPngSignature, kPngSignature + 8, png.begin());
  for (const Bytes& part : {BigEndian(height), Bytes{16, 6, 0, 0, 0}}) header.insert(header.end(), part.begin(), part.end());
  z_stream stream{};
  deflateInit(&stream, 9);
  Bytes data(deflateBound(&stream, static_cast<uLong>(row.size()) * rows));
  stream.next_out = data.data();
  stream.avail_out = static_cast<uInt>(data.size());
  for (uint32_t y = 0; y < rows; ++y) {
    stream.next_in = row.data();
    stream.avail_in = static_cast<uInt>(row.size());
    deflate(&stream, y + 1 < rows ? Z_NO_FLUSH : Z_FINISH);
  }
  data.resize(stream.total_out);
  deflateEnd(&stream);
  AppendChunk(png, "IHDR", header);
  AppendChunk(png, "IDAT", data);
  AppendChunk(png, "IEND", {});
  return png;
}

inline std::vector<OddImage> OddImages() {
  const Bytes png = EncodePng({32, 32, [] {
                                 Bytes pixels;
                                 for (int i = 0; i < 32 * 32; ++i) pixels.insert(pixels.end(), {5, 6, 7, 255});
                                 return pixels;
                               }()});
  Bytes topDown = UniformDib(24, 0, {1, 2, 3}), tableTooLong = UniformDib(24, 2, {1, 2, 3});
  PutU32At(topDown, 8, static_cast<uint32_t>(-64));
  PutU32At(tableTooLong, 32, 0x4000000);
  using Rgb = std::array<uint8_t, 3>;
  return {
      {"bit fields 5-6-5", UniformDib(16, 0, {0x00, 0xF8}, {0xF800, 0x07E0, 0x001F}), Rgb{255, 0, 0}},
      {"bit fields 8-8-8", UniformDib(32, 0, {10, 20, 30, 0}, {0xFF0000, 0xFF00, 0xFF}), Rgb{30, 20, 10}},
      {"bit fields 4-4-4", UniformDib(16, 0, {0x00, 0xF8}, {0x0F00, 0x00F0, 0x000F}), std::nullopt},
      {"5-5-5", UniformDib(16, 0, {0x00, 0xF8}), Rgb{247, 0, 0}},
      {"colours used at 24 bits", UniformDib(24, 2, {1, 2, 3}), Rgb{3, 2, 1}},
      {"colours used past the block", tableTooLong, std::nullopt},
      {"top-down", topDown, std::nullopt},
      {"PNG", png, Rgb{5, 6, 7}},
      {"PNG cut in half", Bytes(png.begin(), png.begin() + png.size() / 2), std::nullopt},
      {"PNG of 4096x4096 in a few bytes", BlackPng(4096, 4096, 1), std::nullopt},
      {"PNG of 2048x2048 in a few bytes", BlackPng(2048, 2048, 1), std::nullopt},
      {"PNG of 2049x2048, its data all there", BlackPng(2049, 2048, 2048), std::nullopt},
  };
}
