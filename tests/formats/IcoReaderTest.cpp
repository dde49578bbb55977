// Reading .ico files into an image set, and how each image block is understood:
// DIB geometry, PNG headers, and blocks too short for what their header claims.

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

TEST(IcoReader, ReadsEveryBlockByteForByteInDirectoryOrderWhereverItLies) {
  const std::vector<Bytes> blocks = {MakeDibBlock(32, 32, 4, 0, 1), MakePngBlock(256, 256, 2), {1, 2, 3, 4, 5}};
  // The first block moves behind the others, after a gap of 3 bytes.
  const Bytes first = blocks[0];
  Bytes moved = BuildIcoFile(blocks);
  std::fill(moved.begin() + U32At(moved, 6 + 12), moved.begin() + U32At(moved, 6 + 12) + first.size(), 0);
  moved.insert(moved.end(), 3, 0xEE);
  PutU32At(moved, 6 + 12, static_cast<uint32_t>(moved.size()));
  moved.insert(moved.end(), first.begin(), first.end());
  const TempPath file;
  ASSERT_TRUE(WriteBytes(file.path, moved));
  const IconImageSetPtr set = IconFileIO().LoadIcoFile(file.path);
  ASSERT_NO_FATAL_FAILURE(ExpectBlocks(set, blocks));
  EXPECT_EQ(set->icoPath, file.path);
  EXPECT_EQ(set->modulePath, "");
  EXPECT_EQ(Geometry(set->images[0]), std::make_tuple(ImageKind::Dib, 32u, 32u, 4u));
  EXPECT_EQ(set->images[1].kind, ImageKind::Png);
  EXPECT_EQ(set->images[2].kind, ImageKind::Unknown);
  ExpectBlocks(LoadBytes(BuildIcoFile({})), {});
  const TempPath missing;
  EXPECT_EQ(IconFileIO().LoadIcoFile(missing.path), nullptr);
  // Three entries name the one block stored.
  Bytes shared = BuildIcoFile({first, first, first});
  for (const size_t entry : {1, 2}) PutU32At(shared, 6 + 16 * entry + 12, U32At(shared, 6 + 12));
  shared.resize(U32At(shared, 6 + 12) + first.size());
  const IconImageSetPtr three = LoadBytes(shared);
  ExpectBlocks(three, {first, first, first});
  EXPECT_EQ(three->images[0].block, three->images[2].block);
}

TEST(IcoReader, RefusesMalformedFiles) {
  const Damage cases[] = {
      {"reserved field not zero", [](Bytes& b) { b[0] = 1; }},
      {"cursor type", [](Bytes& b) { b[2] = 2; }},
      {"short header", [](Bytes& b) { b.resize(5); }},
      {"short directory", [](Bytes& b) { b.resize(6 + 16 + 15); }},
      {"huge count in a tiny file", [](Bytes& b) { b = {0, 0, 1, 0, 0xFF, 0xFF}; }},
      {"entry past the end", [](Bytes& b) { b.pop_back(); }},
      {"block size past the end", [](Bytes& b) { PutU32At(b, 6 + 16 + 8, 0x7FFFFFFF); }},
      {"offset past the end", [](Bytes& b) { PutU32At(b, 6 + 12, static_cast<uint32_t>(b.size())); }},
      {"offset plus size wraps", [](Bytes& b) { PutU32At(b, 6 + 8, 0x20), PutU32At(b, 6 + 12, 0xFFFFFFF0); }},
      // Each block lies in the file, but overlapping they claim more than it holds.
      {"overlapping blocks",
       [](Bytes& b) {
         PutU32At(b, 6 + 16 + 8, U32At(b, 6 + 16 + 12) + U32At(b, 6 + 16 + 8) - 22), PutU32At(b, 6 + 16 + 12, 22);
       }},
  };
  for (const auto& [name, damage] : cases) {
    Bytes bytes = BuildIcoFile({MakeDibBlock(32, 32, 4), MakeDibBlock(16, 16, 8)});
    damage(bytes);
    EXPECT_EQ(LoadBytes(bytes), nullptr) << name;
  }
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
