// How an image block is understood: DIB geometry, PNG headers, and blocks too
// short for what their header claims.

#include <gtest/gtest.h>

#include "FormatTestHelpers.h"
#include "formats/Dib.h"
#include "formats/IconFileIO.h"
#include "support/IconBuilder.h"

namespace {

IconImage Bound(std::vector<uint8_t>& block) {
  IconImage image;
  image.block = block.data();
  image.blockSize = static_cast<uint32_t>(block.size());
  IconFileIO::BindImagePointers(&image);
  return image;
}

struct DibLayoutCase {
  const char* name;
  int32_t width, height;
  uint16_t bitCount;
  uint32_t clrUsed;
  uint16_t paletteBytes;
  int64_t rowBytes;
  size_t xorOffset, andOffset;
};

class DibLayout : public testing::TestWithParam<DibLayoutCase> {};

TEST_P(DibLayout, FindsPaletteRowsAndBitmaps) {
  const DibLayoutCase& c = GetParam();
  std::vector<uint8_t> block = MakeDibBlock(c.width, c.height, c.bitCount, c.clrUsed);
  const IconImage image = Bound(block);

  EXPECT_EQ(image.kind, ImageKind::Dib);
  EXPECT_EQ(image.width, static_cast<uint32_t>(c.width));
  EXPECT_EQ(image.height, static_cast<uint32_t>(c.height));
  EXPECT_EQ(image.colorBits, c.bitCount);
  EXPECT_EQ(DibPaletteSize(block.data()), c.paletteBytes);
  EXPECT_EQ(DibRowBytes(block.data()), c.rowBytes);
  EXPECT_EQ(image.info, block.data());
  EXPECT_EQ(DibBits(block.data()), block.data() + c.xorOffset);
  EXPECT_EQ(image.xorBits, block.data() + c.xorOffset);
  EXPECT_EQ(image.andMask, block.data() + c.andOffset);
}

INSTANTIATE_TEST_SUITE_P(
    IconImages, DibLayout,
    testing::Values(DibLayoutCase{"FourBit32", 32, 32, 4, 0, 64, 16, 104, 616},
                    DibLayoutCase{"OneBit16", 16, 16, 1, 0, 8, 4, 48, 112},
                    DibLayoutCase{"OneBitNarrowRowIsFourBytes", 3, 2, 1, 0, 8, 4, 48, 56},
                    DibLayoutCase{"TwentyFourBit48", 48, 48, 24, 0, 0, 144, 40, 40 + 144 * 48},
                    DibLayoutCase{"EightBitWithSixteenColoursUsed", 32, 32, 8, 16, 64, 32, 104, 104 + 32 * 32},
                    DibLayoutCase{"EightBitFullPalette", 16, 16, 8, 0, 1024, 16, 1064, 1064 + 16 * 16},
                    DibLayoutCase{"ThirtyTwoBit48", 48, 48, 32, 0, 0, 192, 40, 40 + 192 * 48}),
    [](const testing::TestParamInfo<DibLayoutCase>& info) { return std::string(info.param.name); });

TEST(DibHelpers, RowBytesOfAnAbsurdHeaderDoNotWrap) {
  std::vector<uint8_t> block = MakeDibBlock(4, 4, 1);
  PutU32At(block, 4, 0x7FFFFFFF);              // biWidth
  block[12] = block[13] = 0xFF;                // biPlanes
  block[14] = block[15] = 0xFF;                // biBitCount
  EXPECT_EQ(DibRowBytes(block.data()), (int64_t{0x7FFFFFFF} * 0xFFFF * 0xFFFF + 31) / 32 * 4);
}

TEST(BindImagePointers, RefusesNoEntry) { EXPECT_FALSE(IconFileIO::BindImagePointers(nullptr)); }

TEST(BindImagePointers, LeavesOnlyWhatTheBlockCannotHoldNull) {
  std::vector<uint8_t> bitmapCut = MakeDibBlock(32, 32, 4);
  bitmapCut.resize(104 + 16 * 32 - 1);
  const IconImage noBitmap = Bound(bitmapCut);
  EXPECT_EQ(noBitmap.kind, ImageKind::Dib);
  EXPECT_EQ(noBitmap.info, bitmapCut.data());
  EXPECT_EQ(noBitmap.xorBits, nullptr);
  EXPECT_EQ(noBitmap.andMask, nullptr);

  std::vector<uint8_t> maskCut = MakeDibBlock(32, 32, 4);
  maskCut.pop_back();
  const IconImage noMask = Bound(maskCut);
  EXPECT_EQ(noMask.xorBits, maskCut.data() + 104);
  EXPECT_EQ(noMask.andMask, nullptr);
}

TEST(BindImagePointers, LeavesBitmapPointersNullForHostileHeaders) {
  const struct {
    const char* name;
    size_t offset;
    uint32_t value;
  } cases[] = {
      {"negative height", 8, static_cast<uint32_t>(-64)},
      {"zero width", 4, 0},
      {"header size past the block", 0, 0xFFFFFFF0},
      {"colour count past the block", 32, 0xFFFF},
      {"width whose rows wrap 32 bits", 4, 0x40000000},
  };
  for (const auto& c : cases) {
    std::vector<uint8_t> block = MakeDibBlock(32, 32, 4);
    PutU32At(block, c.offset, c.value);
    const IconImage image = Bound(block);
    EXPECT_EQ(image.kind, ImageKind::Dib) << c.name;
    EXPECT_EQ(image.xorBits, nullptr) << c.name;
    EXPECT_EQ(image.andMask, nullptr) << c.name;
  }
}

TEST(BindImagePointers, TreatsShortOrSmallHeadersAsUnknown) {
  std::vector<uint8_t> shortBlock = MakeDibBlock(32, 32, 4);
  shortBlock.resize(39);
  std::vector<uint8_t> smallHeader = MakeDibBlock(32, 32, 4);
  PutU32At(smallHeader, 0, 12);  // an OS/2 core header is not what icons hold
  std::vector<uint8_t> empty;
  for (std::vector<uint8_t>* block : {&shortBlock, &smallHeader, &empty}) {
    const IconImage image = Bound(*block);
    EXPECT_EQ(image.kind, ImageKind::Unknown);
    EXPECT_EQ(image.info, nullptr);
    EXPECT_EQ(image.xorBits, nullptr);
    EXPECT_EQ(image.width, 0u);
  }
}

TEST(BindImagePointers, TakesPngGeometryFromItsHeaderAndNoPointers) {
  std::vector<uint8_t> block = MakePngBlock(256, 128);
  const IconImage image = Bound(block);
  EXPECT_EQ(image.kind, ImageKind::Png);
  EXPECT_EQ(image.width, 256u);
  EXPECT_EQ(image.height, 128u);
  EXPECT_EQ(image.colorBits, 32u);
  EXPECT_EQ(image.info, nullptr);
  EXPECT_EQ(image.xorBits, nullptr);
  EXPECT_EQ(image.andMask, nullptr);
}

TEST(BindImagePointers, PngColourBitsAreDepthTimesChannels) {
  const struct {
    uint8_t depth, colourType;
    uint32_t colorBits;
  } cases[] = {{8, 0, 8}, {16, 0, 16}, {8, 2, 24}, {4, 3, 4}, {8, 4, 16}, {8, 6, 32}, {16, 6, 64}, {8, 5, 0}};
  for (const auto& c : cases) {
    std::vector<uint8_t> block = MakePngBlock(16, 16);
    block[24] = c.depth;
    block[25] = c.colourType;
    EXPECT_EQ(Bound(block).colorBits, c.colorBits) << int{c.depth} << " bits, type " << int{c.colourType};
  }
}

TEST(BindImagePointers, KeepsATruncatedPngAsPngWithoutGeometry) {
  std::vector<uint8_t> block = MakePngBlock(16, 16);
  block.resize(12);
  const IconImage image = Bound(block);
  EXPECT_EQ(image.kind, ImageKind::Png);
  EXPECT_EQ(image.width, 0u);
  EXPECT_EQ(image.height, 0u);
}

}  // namespace
