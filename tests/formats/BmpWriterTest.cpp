// Writing an icon's first DIB image as a .bmp file, and the messages it reports.

#include <tuple>
#include <utility>

#include "FormatTestHelpers.h"
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

}  // namespace
