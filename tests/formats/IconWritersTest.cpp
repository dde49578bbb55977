// Writing image sets as .ico files, and an icon's first DIB image as a .bmp
// file with the messages it reports.

#include <array>
#include <tuple>
#include <utility>

#include "FormatTestHelpers.h"
#include "formats/PngWriter.h"
#include "support/IconBuilder.h"

namespace {

using Messages = std::vector<std::pair<std::string, BmpMessage>>;

// An IconFileIO whose messages are collected instead of shown.
struct CapturingIO {
  Messages messages;
  IconFileIO io{[this](const std::string& path, BmpMessage message) { messages.emplace_back(path, message); }};
};

TEST(BmpWriter, WritesTheFirstDibsHeaderPaletteAndColourBitmapOnly) {
  const std::tuple<int32_t, uint16_t, uint32_t, uint32_t> cases[] = {// size, bits, bitmap offset, file size
                                                                     {32, 4, 118, 630},
                                                                     {16, 1, 62, 62 + 4 * 16},
                                                                     {16, 8, 1078, 1078 + 16 * 16},
                                                                     {48, 32, 54, 9270}};
  for (const auto& [size, bitCount, offBits, fileSize] : cases) {
    SCOPED_TRACE(bitCount);
    // A PNG has no bitmap to write; the DIB after is not the first.
    const std::vector<Bytes> blocks = {MakePngBlock(16, 16), MakeDibBlock(size, size, bitCount),
                                       MakeDibBlock(16, 16, 4)};
    const IconImageSetPtr set = SetOf(blocks);
    const TempPath file;
    CapturingIO capture;
    ASSERT_TRUE(capture.io.SaveImageAsBmp(file.path, *set));
    EXPECT_EQ(capture.messages, Messages{});
    ExpectBlocks(set, blocks);

    const Bytes bytes = ReadBytes(file.path);
    ASSERT_EQ(bytes.size(), fileSize);
    // "BM", the file size, reserved, where the bitmap starts
    EXPECT_EQ(std::make_tuple(U16At(bytes, 0), U32At(bytes, 2), U32At(bytes, 6), U32At(bytes, 10)),
              std::make_tuple(0x4D42u, fileSize, 0u, offBits));
    // The rest is the block as stored, up to the end of the colour bitmap, with
    // the height of that bitmap alone.
    Bytes expected(blocks[1].begin(), blocks[1].begin() + (fileSize - 14));
    PutU32At(expected, 8, static_cast<uint32_t>(size));
    EXPECT_EQ(Bytes(bytes.begin() + 14, bytes.end()), expected);
  }
}

TEST(BmpWriter, WritesABitmapWithoutMaskAndOtherwiseReportsWithoutAFile) {
  Bytes bitmapOnly = MakeDibBlock(32, 32, 4);
  bitmapOnly.resize(104 + 16 * 32);  // the mask need not be there at all
  const TempPath written;
  ASSERT_TRUE(IconFileIO().SaveImageAsBmp(written.path, *SetOf({bitmapOnly})));
  EXPECT_EQ(ReadBytes(written.path).size(), 630u);

  const Bytes bitmapCut(bitmapOnly.begin(), bitmapOnly.end() - 1);
  const std::tuple<const char*, std::vector<Bytes>, const char*, BmpMessage> cases[] = {
      {"bitmap cut short", {bitmapCut}, "icon.bmp", BmpMessage::WriteFailed},
      {"missing folder", {bitmapOnly}, "missing/icon.bmp", BmpMessage::CreateFailed},
      {"only PNG", {MakePngBlock(256, 256)}, "icon.bmp", BmpMessage::CreateFailed},
      {"no image", {}, "icon.bmp", BmpMessage::CreateFailed},
      {"unknown block", {{1, 2, 3}}, "icon.bmp", BmpMessage::CreateFailed},
  };
  for (const auto& [name, blocks, target, message] : cases) {
    SCOPED_TRACE(name);
    const TempFolder folder;
    CapturingIO capture;
    EXPECT_FALSE(capture.io.SaveImageAsBmp(folder.File(target), *SetOf(blocks)));
    EXPECT_EQ(capture.messages, (Messages{{folder.File(target), message}}));
    EXPECT_EQ(NamesIn(folder.Path()), std::vector<std::string>{});
  }
}

// An icon of PNG images only is written from its first that decodes: 32 bits
// with alpha, bottom row first, blue, green, red, alpha.
TEST(BmpWriter, WritesAnIconOfPngImagesOnlyFromItsDecodedPixels) {
  const RgbaImage picture{2, 2, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}};
  const TempPath file;
  ASSERT_TRUE(IconFileIO().SaveImageAsBmp(file.path, *SetOf({MakePngBlock(64, 64), EncodePng(picture), EncodePng({1, 1, {0, 0, 0, 0}})})));
  const Bytes bytes = ReadBytes(file.path);
  ASSERT_EQ(bytes.size(), 54u + 16u);
  // "BM", file size, pixels' offset; header size, width, height, planes, bits, compression, pixels' size
  EXPECT_EQ(std::make_tuple(U16At(bytes, 0), U32At(bytes, 2), U32At(bytes, 10), U32At(bytes, 14), U32At(bytes, 18),
                            U32At(bytes, 22), U16At(bytes, 26), U16At(bytes, 28), U32At(bytes, 30), U32At(bytes, 34)),
            std::make_tuple(0x4D42u, 70u, 54u, 40u, 2u, 2u, 1u, 32u, 0u, 16u));
  EXPECT_EQ(Bytes(bytes.begin() + 54, bytes.end()), (Bytes{11, 10, 9, 12, 15, 14, 13, 16, 3, 2, 1, 4, 7, 6, 5, 8}));
}

TEST(IcoWriter, WritesAnEntryDescribingEachImageAndTheBlocksAfterTheDirectoryClearingOnlySizeImage) {
  // A header that cannot be read keeps the size its source's directory gave.
  Bytes planesZero = MakeDibBlock(48, 48, 8);
  PutU16At(planesZero, 12, 0);
  Bytes pixelsPastBlock = MakeDibBlock(24, 24, 32);
  pixelsPastBlock.resize(200);
  // width, height, colours, reserved, planes, bits per pixel
  const std::vector<std::pair<Bytes, std::array<uint8_t, 8>>> images = {
      {planesZero, {48, 48, 1, 0, 0, 0, 8, 0}},
      {pixelsPastBlock, {24, 24, 0, 0, 1, 0, 32, 0}},
      {MakeDibBlock(16, 16, 1), {16, 16, 2, 0, 1, 0, 1, 0}},
      {MakeDibBlock(32, 32, 4), {32, 32, 16, 0, 1, 0, 4, 0}},
      {MakeDibBlock(48, 48, 8), {48, 48, 0, 0, 1, 0, 8, 0}},
      {MakeDibBlock(256, 256, 32), {0, 0, 0, 0, 1, 0, 32, 0}},
      {MakePngBlock(48, 40), {48, 40, 0, 0, 1, 0, 32, 0}},
      {MakePngBlock(256, 256), {0, 0, 0, 0, 1, 0, 32, 0}},
      {{9, 9, 9, 9, 9}, {0, 0, 0, 0, 0, 0, 0, 0}}};
  std::vector<Bytes> blocks, written;
  for (const auto& image : images) blocks.push_back(image.first), written.push_back(WithSizeImageCleared(image.first));
  ASSERT_NE(written[3], blocks[3]);
  const IconImageSetPtr set = SetOf(blocks);
  const TempPath file;
  ASSERT_TRUE(WriteBytes(file.path, Bytes(50000, 0xAB)));  // replaced, not overwritten in place
  ASSERT_TRUE(IconFileIO().SaveIcoFile(*set, file.path));

  const Bytes bytes = ReadBytes(file.path);
  size_t offset = 6 + 16 * images.size();  // the blocks follow the directory one after another
  for (size_t i = 0; i < images.size(); ++i) {
    const auto entry = bytes.begin() + 6 + 16 * i;
    EXPECT_EQ(Bytes(entry, entry + 8), Bytes(images[i].second.begin(), images[i].second.end())) << "entry " << i;
    EXPECT_EQ(U32At(bytes, 6 + 16 * i + 8), blocks[i].size()) << "entry " << i;
    EXPECT_EQ(U32At(bytes, 6 + 16 * i + 12), offset) << "entry " << i;
    ASSERT_LE(offset + blocks[i].size(), bytes.size());
    EXPECT_EQ(Bytes(bytes.begin() + offset, bytes.begin() + offset + blocks[i].size()), written[i]) << "block " << i;
    offset += blocks[i].size();
  }
  EXPECT_EQ(bytes.size(), offset);
  ExpectBlocks(set, blocks);  // the set keeps its own values
  ExpectBlocks(LoadBytes(bytes), written);
}

}  // namespace
