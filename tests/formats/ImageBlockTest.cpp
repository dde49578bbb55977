// How each image block is understood: DIB geometry, PNG headers, and blocks
// too short for what their header claims.

#include <tuple>

#include "FormatTestHelpers.h"
#include "formats/Dib.h"
#include "formats/IconPixels.h"
#include "support/IconBuilder.h"

namespace {

using Damage = std::pair<const char*, void (*)(Bytes& bytes)>;

// Kind, width, height and bits per pixel.
std::tuple<ImageKind, uint32_t, uint32_t, uint32_t> Geometry(const IconImage& image) {
  return {image.kind, image.width, image.height, image.colorBits};
}

TEST(ImageOfBlock, FindsTheGeometryOfAPngAndTheColourBitmapAndMaskOfADib) {
  const std::tuple<int32_t, int32_t, uint16_t, uint32_t, size_t, size_t> cases[] = {
      // width, height, bits, colours used, colour bitmap and mask offsets
      {32, 32, 4, 0, 40 + 64, 104 + 16 * 32},  {3, 2, 1, 0, 40 + 8, 48 + 4 * 2},  // a row of 3 bits still takes 4 bytes
      {32, 32, 8, 16, 40 + 64, 104 + 32 * 32}, {16, 16, 8, 0, 40 + 1024, 1064 + 16 * 16},
      {5, 5, 24, 0, 40, 40 + 16 * 5},  // rows of 15 bytes padded to 16
      {2, 2, 24, 2, 40 + 8, 48 + 8 * 2},  // a table stands before the pixels at any depth
  };
  for (const auto& [width, height, bitCount, clrUsed, xorOffset, andOffset] : cases) {
    SCOPED_TRACE(testing::Message() << width << "x" << height << "x" << bitCount << ", " << clrUsed);
    const Bytes block = MakeDibBlock(width, height, bitCount, clrUsed);
    EXPECT_EQ(Geometry(Bound(block)), std::make_tuple(ImageKind::Dib, uint32_t(width), uint32_t(height), uint32_t(bitCount)));
    const auto layout = ReadDibLayout(ByteReader(block.data(), block.size()));
    ASSERT_TRUE(layout);
    EXPECT_EQ(std::make_tuple(layout->colourOffset, layout->maskOffset, layout->maskFits),
              std::make_tuple(uint64_t{xorOffset}, uint64_t{andOffset}, true));
  }
  // A PNG's bits per pixel are its depth times its channels.
  const std::tuple<uint8_t, uint8_t, uint32_t> pngs[] = {
      // depth, colour type, bits
      {8, 0, 8}, {16, 0, 16}, {8, 2, 24}, {4, 3, 4}, {8, 4, 16}, {8, 6, 32}, {16, 6, 64}, {8, 5, 0}};
  for (const auto& [depth, colourType, colorBits] : pngs) {
    SCOPED_TRACE(testing::Message() << int{depth} << " bits, type " << int{colourType});
    Bytes block = MakePngBlock(256, 128);
    block[24] = depth;
    block[25] = colourType;
    EXPECT_EQ(Geometry(Bound(block)), std::make_tuple(ImageKind::Png, 256u, 128u, colorBits));
  }
}

// No header makes an image larger than its bytes: one that cannot hold its
// colour bitmap has no size at all. None of them decodes.
TEST(ImageOfBlock, GivesNoSizeToAnImageItsBlockCannotHoldAndDecodesNone) {
  const std::tuple<Damage, ImageKind, bool> cases[] = {
      // damage, kind, size kept
      {{"colour bitmap cut", [](Bytes& b) { b.resize(104 + 16 * 32 - 1); }}, ImageKind::Dib, false},
      {{"mask cut", [](Bytes& b) { b.pop_back(); }}, ImageKind::Dib, true},
      {{"negative height", [](Bytes& b) { PutU32At(b, 8, static_cast<uint32_t>(-64)); }}, ImageKind::Dib, false},
      {{"zero width", [](Bytes& b) { PutU32At(b, 4, 0); }}, ImageKind::Dib, false},
      {{"header size past the block", [](Bytes& b) { PutU32At(b, 0, 0xFFFFFFF0); }}, ImageKind::Dib, false},
      {{"colour count past the block", [](Bytes& b) { PutU32At(b, 32, 0xFFFF); }}, ImageKind::Dib, false},
      {{"colour count of 65536", [](Bytes& b) { PutU32At(b, 32, 0x10000); }}, ImageKind::Dib, false},
      {{"rows wrapping 32 bits", [](Bytes& b) { PutU32At(b, 4, 0x40000000); }}, ImageKind::Dib, false},
      {{"3 bits per pixel", [](Bytes& b) { PutU16At(b, 14, 3); }}, ImageKind::Dib, false},
      {{"two planes", [](Bytes& b) { PutU16At(b, 12, 2); }}, ImageKind::Dib, false},
      {{"compressed", [](Bytes& b) { PutU32At(b, 16, 1); }}, ImageKind::Dib, false},
      {{"header cut", [](Bytes& b) { b.resize(39); }}, ImageKind::Unknown, false},
      {{"core header", [](Bytes& b) { PutU32At(b, 0, 12); }}, ImageKind::Unknown, false},
      {{"empty", [](Bytes& b) { b.clear(); }}, ImageKind::Unknown, false},
  };
  for (const auto& [damage, kind, sizeKept] : cases) {
    SCOPED_TRACE(damage.first);
    Bytes block = MakeDibBlock(32, 32, 4);
    damage.second(block);
    const uint32_t side = sizeKept ? 32 : 0;
    EXPECT_EQ(Geometry(Bound(block)), std::make_tuple(kind, side, side, sizeKept ? 4u : 0u));
    EXPECT_FALSE(DibToRgba(block.data(), block.size()));
  }
  Bytes cut = MakePngBlock(16, 16);
  cut.resize(12);
  EXPECT_EQ(Geometry(Bound(cut)), std::make_tuple(ImageKind::Png, 0u, 0u, 0u));
}

}  // namespace
