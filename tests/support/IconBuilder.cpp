#include "support/IconBuilder.h"

#include <algorithm>

namespace {

void AppendU16(std::vector<uint8_t>& out, uint32_t value) {
  out.push_back(static_cast<uint8_t>(value));
  out.push_back(static_cast<uint8_t>(value >> 8));
}

void AppendU32(std::vector<uint8_t>& out, uint32_t value) {
  AppendU16(out, value);
  AppendU16(out, value >> 16);
}

void AppendU32BigEndian(std::vector<uint8_t>& out, uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(value >> shift));
}

uint32_t Crc32(const uint8_t* data, size_t length) {
  uint32_t crc = 0xFFFFFFFFu;
  for (size_t i = 0; i < length; ++i) {
    crc ^= data[i];
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return crc ^ 0xFFFFFFFFu;
}

uint32_t Adler32(const std::vector<uint8_t>& data) {
  uint32_t a = 1, b = 0;
  for (const uint8_t byte : data) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  return (b << 16) | a;
}

void AppendPngChunk(std::vector<uint8_t>& png, const char (&type)[5], const std::vector<uint8_t>& data) {
  AppendU32BigEndian(png, static_cast<uint32_t>(data.size()));
  const size_t typeStart = png.size();
  png.insert(png.end(), type, type + 4);
  png.insert(png.end(), data.begin(), data.end());
  AppendU32BigEndian(png, Crc32(png.data() + typeStart, png.size() - typeStart));
}

// A zlib stream of stored (uncompressed) deflate blocks.
std::vector<uint8_t> StoredZlib(const std::vector<uint8_t>& raw) {
  constexpr size_t kMaxStored = 65535;
  std::vector<uint8_t> out = {0x78, 0x01};
  size_t position = 0;
  do {
    const size_t length = std::min(kMaxStored, raw.size() - position);
    const bool last = position + length == raw.size();
    out.push_back(last ? 1 : 0);
    AppendU16(out, static_cast<uint32_t>(length));
    AppendU16(out, static_cast<uint32_t>(~length & 0xFFFF));
    out.insert(out.end(), raw.begin() + static_cast<std::ptrdiff_t>(position),
               raw.begin() + static_cast<std::ptrdiff_t>(position + length));
    position += length;
  } while (position < raw.size());
  AppendU32BigEndian(out, Adler32(raw));
  return out;
}

uint32_t PaletteEntries(uint16_t bitCount, uint32_t clrUsed) {
  if (clrUsed != 0) return clrUsed;
  return bitCount <= 8 ? 1u << bitCount : 0;
}

}  // namespace

std::vector<uint8_t> MakeDibBlock(int32_t width, int32_t height, uint16_t bitCount, uint32_t clrUsed, uint8_t seed) {
  const uint32_t rowBytes = (static_cast<uint32_t>(width) * bitCount + 31) / 32 * 4;
  const uint32_t maskRowBytes = (static_cast<uint32_t>(width) + 31) / 32 * 4;
  const uint32_t bitmapBytes = (rowBytes + maskRowBytes) * static_cast<uint32_t>(height);

  std::vector<uint8_t> block;
  AppendU32(block, 40);
  AppendU32(block, static_cast<uint32_t>(width));
  AppendU32(block, static_cast<uint32_t>(height) * 2);
  AppendU16(block, 1);
  AppendU16(block, bitCount);
  AppendU32(block, 0);            // biCompression
  AppendU32(block, bitmapBytes);  // biSizeImage, non-zero so that clearing it shows
  AppendU32(block, 2835);         // biXPelsPerMeter
  AppendU32(block, 2835);         // biYPelsPerMeter
  AppendU32(block, clrUsed);
  AppendU32(block, 0);  // biClrImportant
  const size_t payload = PaletteEntries(bitCount, clrUsed) * 4 + bitmapBytes;
  for (size_t i = 0; i < payload; ++i) block.push_back(static_cast<uint8_t>(i * 7 + seed * 31 + 1));
  return block;
}

std::vector<uint8_t> MakePngBlock(uint32_t width, uint32_t height, uint8_t seed) {
  std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<uint8_t> ihdr;
  AppendU32BigEndian(ihdr, width);
  AppendU32BigEndian(ihdr, height);
  ihdr.insert(ihdr.end(), {8, 6, 0, 0, 0});  // 8-bit RGBA, deflate, no filter method, no interlace
  AppendPngChunk(png, "IHDR", ihdr);

  std::vector<uint8_t> pixels;
  pixels.reserve(static_cast<size_t>(height) * (1 + width * 4));
  for (uint32_t y = 0; y < height; ++y) {
    pixels.push_back(0);  // filter type None
    for (uint32_t x = 0; x < width; ++x) {
      pixels.push_back(static_cast<uint8_t>(x * 255 / (width ? width : 1) + seed));
      pixels.push_back(static_cast<uint8_t>(y * 255 / (height ? height : 1)));
      pixels.push_back(static_cast<uint8_t>(seed * 17));
      pixels.push_back(static_cast<uint8_t>(128 + (x + y) % 128));
    }
  }
  AppendPngChunk(png, "IDAT", StoredZlib(pixels));
  AppendPngChunk(png, "IEND", {});
  return png;
}

namespace {

struct EntryFields {
  uint8_t width = 0, height = 0, colours = 0;
  uint16_t planes = 0, bitCount = 0;
};

// Directory fields as a well-behaved writer would fill them.
EntryFields DescribeBlock(const std::vector<uint8_t>& block) {
  const auto u32 = [&](size_t at) {
    return static_cast<uint32_t>(block[at]) | (static_cast<uint32_t>(block[at + 1]) << 8) |
           (static_cast<uint32_t>(block[at + 2]) << 16) | (static_cast<uint32_t>(block[at + 3]) << 24);
  };
  const auto u32be = [&](size_t at) {
    return (static_cast<uint32_t>(block[at]) << 24) | (static_cast<uint32_t>(block[at + 1]) << 16) |
           (static_cast<uint32_t>(block[at + 2]) << 8) | static_cast<uint32_t>(block[at + 3]);
  };
  EntryFields fields;
  if (block.size() >= 26 && block[0] == 0x89 && block[1] == 'P') {
    fields.width = static_cast<uint8_t>(u32be(16));
    fields.height = static_cast<uint8_t>(u32be(20));
    fields.planes = 1;
    fields.bitCount = 32;
  } else if (block.size() >= 40) {
    fields.width = static_cast<uint8_t>(u32(4));
    fields.height = static_cast<uint8_t>(static_cast<int32_t>(u32(8)) / 2);
    fields.planes = static_cast<uint16_t>(block[12] | (block[13] << 8));
    fields.bitCount = static_cast<uint16_t>(block[14] | (block[15] << 8));
    fields.colours = fields.bitCount < 8 ? static_cast<uint8_t>(1u << fields.bitCount) : 0;
  }
  return fields;
}

void AppendEntryFields(std::vector<uint8_t>& out, const EntryFields& fields) {
  out.insert(out.end(), {fields.width, fields.height, fields.colours, 0});
  AppendU16(out, fields.planes);
  AppendU16(out, fields.bitCount);
}

}  // namespace

std::vector<uint8_t> BuildIcoFile(const std::vector<std::vector<uint8_t>>& blocks) {
  std::vector<uint8_t> file;
  AppendU16(file, 0);
  AppendU16(file, 1);
  AppendU16(file, static_cast<uint32_t>(blocks.size()));
  uint32_t offset = static_cast<uint32_t>(6 + 16 * blocks.size());
  for (const auto& block : blocks) {
    AppendEntryFields(file, DescribeBlock(block));
    AppendU32(file, static_cast<uint32_t>(block.size()));
    AppendU32(file, offset);
    offset += static_cast<uint32_t>(block.size());
  }
  for (const auto& block : blocks) file.insert(file.end(), block.begin(), block.end());
  return file;
}

std::vector<uint8_t> BuildGroupIcon(const std::vector<std::vector<uint8_t>>& blocks,
                                    const std::vector<uint16_t>& iconIds) {
  std::vector<uint8_t> group;
  AppendU16(group, 0);
  AppendU16(group, 1);
  AppendU16(group, static_cast<uint32_t>(blocks.size()));
  for (size_t i = 0; i < blocks.size(); ++i) {
    AppendEntryFields(group, DescribeBlock(blocks[i]));
    AppendU32(group, static_cast<uint32_t>(blocks[i].size()));
    AppendU16(group, i < iconIds.size() ? iconIds[i] : 0);
  }
  return group;
}
