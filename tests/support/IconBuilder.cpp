#include "support/IconBuilder.h"

namespace {

void AppendU32BigEndian(std::vector<uint8_t>& out, uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(value >> shift));
}

// Directory fields as a well-behaved writer fills them: width, height, colours,
// reserved, planes and bits per pixel.
void AppendEntryFields(std::vector<uint8_t>& out, const std::vector<uint8_t>& block) {
  if (IsPng(block) && block.size() >= 24) {
    out.insert(out.end(), {block[19], block[23], 0, 0});  // the low bytes of the big-endian size
    AppendU16(out, 1);
    AppendU16(out, 32);
  } else if (block.size() >= 40) {
    const uint32_t bitCount = U16At(block, 14);
    out.insert(out.end(), {block[4], static_cast<uint8_t>(U32At(block, 8) / 2),
                           static_cast<uint8_t>(bitCount < 8 ? 1u << bitCount : 0), 0});
    AppendU16(out, U16At(block, 12));
    AppendU16(out, bitCount);
  } else {
    out.resize(out.size() + 8);
  }
}

// The header of an icon directory, in a file or a group: reserved, type 1, count.
std::vector<uint8_t> DirectoryHeader(size_t count) {
  return {0, 0, 1, 0, static_cast<uint8_t>(count), static_cast<uint8_t>(count >> 8)};
}

}  // namespace

std::vector<uint8_t> MakeDibBlock(int32_t width, int32_t height, uint16_t bitCount, uint32_t clrUsed, uint8_t seed) {
  const uint32_t rowBytes = (static_cast<uint32_t>(width) * bitCount + 31) / 32 * 4;
  const uint32_t maskRowBytes = (static_cast<uint32_t>(width) + 31) / 32 * 4;
  const uint32_t bitmapBytes = (rowBytes + maskRowBytes) * static_cast<uint32_t>(height);
  const uint32_t colours = clrUsed != 0 ? clrUsed : bitCount <= 8 ? 1u << bitCount : 0;

  // The header: its size, width, height of bitmap and mask, one plane, bits per
  // pixel, no compression, the image size (non-zero so that clearing it shows),
  // 72 dpi both ways, the colours used and no colour marked important.
  std::vector<uint8_t> block;
  for (const uint32_t field : {40u, static_cast<uint32_t>(width), static_cast<uint32_t>(height) * 2})
    AppendU32(block, field);
  AppendU16(block, 1);
  AppendU16(block, bitCount);
  for (const uint32_t field : {0u, bitmapBytes, 2835u, 2835u, clrUsed, 0u}) AppendU32(block, field);
  for (size_t i = 0; i < colours * 4 + bitmapBytes; ++i) block.push_back(static_cast<uint8_t>(i * 7 + seed * 31 + 1));
  return block;
}

std::vector<uint8_t> MakePngBlock(uint32_t width, uint32_t height, uint8_t seed) {
  std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
  AppendU32BigEndian(png, width);
  AppendU32BigEndian(png, height);
  png.insert(png.end(), {8, 6, 0, 0, 0});  // 8-bit RGBA, deflate, no filter method, no interlace
  for (int i = 0; i < 16; ++i) png.push_back(static_cast<uint8_t>(seed * 13 + i));
  return png;
}

std::vector<uint8_t> BuildIcoFile(const std::vector<std::vector<uint8_t>>& blocks) {
  std::vector<uint8_t> file = DirectoryHeader(blocks.size());
  uint32_t offset = static_cast<uint32_t>(6 + 16 * blocks.size());
  for (const auto& block : blocks) {
    AppendEntryFields(file, block);
    AppendU32(file, static_cast<uint32_t>(block.size()));
    AppendU32(file, offset);
    offset += static_cast<uint32_t>(block.size());
  }
  for (const auto& block : blocks) file.insert(file.end(), block.begin(), block.end());
  return file;
}

std::vector<uint8_t> BuildGroupIcon(const std::vector<std::vector<uint8_t>>& blocks,
                                    const std::vector<uint16_t>& iconIds) {
  std::vector<uint8_t> group = DirectoryHeader(blocks.size());
  for (size_t i = 0; i < blocks.size(); ++i) {
    AppendEntryFields(group, blocks[i]);
    AppendU32(group, static_cast<uint32_t>(blocks[i].size()));
    AppendU16(group, i < iconIds.size() ? iconIds[i] : 0);
  }
  return group;
}
