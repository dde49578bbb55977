// Writing an icon's first DIB image as a .bmp file, and the messages it reports.

#include <gtest/gtest.h>

#include <utility>

#include "FormatTestHelpers.h"
#include "formats/IconFileIO.h"
#include "support/IconBuilder.h"

namespace {

// An IconFileIO whose messages are collected instead of shown.
struct CapturingIO {
  std::vector<std::pair<std::string, BmpMessage>> messages;
  IconFileIO io{[this](const std::string& path, BmpMessage message) { messages.emplace_back(path, message); }};
};

struct BmpCase {
  const char* name;
  int32_t size;
  uint16_t bitCount;
  uint32_t offBits, fileSize;
};

class BmpLayout : public testing::TestWithParam<BmpCase> {};

TEST_P(BmpLayout, WritesHeaderInfoPaletteAndColourBitmapOnly) {
  const BmpCase& c = GetParam();
  const std::vector<uint8_t> block = MakeDibBlock(c.size, c.size, c.bitCount);
  const IconImageSetPtr set = SetOf({block});
  const TempPath file(".bmp");
  CapturingIO capture;
  ASSERT_TRUE(capture.io.SaveImageAsBmp(file.str(), *set));
  EXPECT_TRUE(capture.messages.empty());

  const std::vector<uint8_t> bytes = ReadBytes(file.str());
  ASSERT_EQ(bytes.size(), c.fileSize);
  EXPECT_EQ(bytes[0], 'B');
  EXPECT_EQ(bytes[1], 'M');
  EXPECT_EQ(U32At(bytes, 2), c.fileSize);
  EXPECT_EQ(U32At(bytes, 6), 0u);
  EXPECT_EQ(U32At(bytes, 10), c.offBits);
  EXPECT_EQ(U32At(bytes, 14 + 8), static_cast<uint32_t>(c.size));
  // Everything else is the block as stored, up to the end of the colour bitmap.
  std::vector<uint8_t> expected(block.begin(), block.begin() + (c.fileSize - 14));
  PutU32At(expected, 8, static_cast<uint32_t>(c.size));
  EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 14, bytes.end()), expected);
  // The set is left as it was.
  EXPECT_TRUE(std::equal(block.begin(), block.end(), set->images[0].block));
}

INSTANTIATE_TEST_SUITE_P(BmpWriter, BmpLayout,
                         testing::Values(BmpCase{"FourBit32", 32, 4, 118, 630},
                                         BmpCase{"ThirtyTwoBit48", 48, 32, 54, 9270},
                                         BmpCase{"OneBit16", 16, 1, 62, 62 + 4 * 16},
                                         BmpCase{"EightBit16", 16, 8, 1078, 1078 + 16 * 16}),
                         [](const testing::TestParamInfo<BmpCase>& info) { return std::string(info.param.name); });

TEST(BmpWriter, WritesTheFirstDibPassingOverPng) {
  const std::vector<uint8_t> dib = MakeDibBlock(32, 32, 4, 0, 9);
  const IconImageSetPtr set = SetOf({MakePngBlock(256, 256), dib, MakeDibBlock(16, 16, 8)});
  const TempPath file(".bmp");
  ASSERT_TRUE(IconFileIO().SaveImageAsBmp(file.str(), *set));
  const std::vector<uint8_t> bytes = ReadBytes(file.str());
  ASSERT_EQ(bytes.size(), 630u);
  EXPECT_TRUE(std::equal(bytes.begin() + 14 + 40, bytes.end(), dib.begin() + 40));
}

TEST(BmpWriter, ReportsCreateFailedForAMissingFolder) {
  const TempPath folder("");
  const std::string target = folder.Inside("icon.bmp");
  CapturingIO capture;
  EXPECT_FALSE(capture.io.SaveImageAsBmp(target, *SetOf({MakeDibBlock(32, 32, 4)})));
  ASSERT_EQ(capture.messages.size(), 1u);
  EXPECT_EQ(capture.messages[0].first, target);
  EXPECT_EQ(capture.messages[0].second, BmpMessage::CreateFailed);
  EXPECT_FALSE(folder.Exists());
}

// The colour bitmap must fit the block; the mask need not be there at all.
TEST(BmpWriter, WritesOnlyWhatTheBlockHoldsAndOtherwiseReportsWithoutAFile) {
  std::vector<uint8_t> bitmapOnly = MakeDibBlock(32, 32, 4);
  bitmapOnly.resize(104 + 16 * 32);
  std::vector<uint8_t> bitmapCut = bitmapOnly;
  bitmapCut.pop_back();
  const struct {
    const char* name;
    std::vector<std::vector<uint8_t>> blocks;
    bool written;
    BmpMessage message;
  } cases[] = {
      {"no mask", {bitmapOnly}, true, {}},
      {"bitmap cut short", {bitmapCut}, false, BmpMessage::WriteFailed},
      {"only PNG", {MakePngBlock(256, 256)}, false, BmpMessage::CreateFailed},
      {"no image", {}, false, BmpMessage::CreateFailed},
      {"unknown block", {{1, 2, 3}}, false, BmpMessage::CreateFailed},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const TempPath file(".bmp");
    CapturingIO capture;
    EXPECT_EQ(capture.io.SaveImageAsBmp(file.str(), *SetOf(c.blocks)), c.written);
    if (c.written) {
      EXPECT_TRUE(capture.messages.empty());
      EXPECT_EQ(ReadBytes(file.str()).size(), 630u);
    } else {
      ASSERT_EQ(capture.messages.size(), 1u);
      EXPECT_EQ(capture.messages[0].second, c.message);
      EXPECT_FALSE(file.Exists());
    }
  }
}

}  // namespace
