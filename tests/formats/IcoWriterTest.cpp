// Writing image sets as .ico files: layout, directory entries, round trips.

#include <gtest/gtest.h>

#include <array>

#include "FormatTestHelpers.h"
#include "formats/IconFileIO.h"
#include "support/IconBuilder.h"

namespace {

std::vector<uint8_t> SavedBytes(const IconImageSet& set) {
  const TempPath file(".ico");
  if (!IconFileIO().SaveIcoFile(set, file.str())) return {};
  return ReadBytes(file.str());
}

TEST(IcoWriter, PlacesBlocksAfterTheDirectoryOneAfterAnother) {
  const std::vector<std::vector<uint8_t>> blocks = {MakeDibBlock(32, 32, 4), MakeDibBlock(16, 16, 4),
                                                    MakeDibBlock(32, 32, 8)};
  ASSERT_EQ(blocks[0].size(), 744u);
  ASSERT_EQ(blocks[1].size(), 296u);
  ASSERT_EQ(blocks[2].size(), 2216u);
  const IconImageSetPtr set = SetOf(blocks);
  EXPECT_EQ(IconFileIO::IcoImageOffset(*set, 0), 54u);
  EXPECT_EQ(IconFileIO::IcoImageOffset(*set, 1), 798u);
  EXPECT_EQ(IconFileIO::IcoImageOffset(*set, 2), 1094u);

  const std::vector<uint8_t> bytes = SavedBytes(*set);
  ASSERT_EQ(bytes.size(), 3310u);
  const uint32_t offsets[] = {54, 798, 1094};
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(U32At(bytes, 6 + 16 * i + 8), blocks[i].size()) << "entry " << i;
    EXPECT_EQ(U32At(bytes, 6 + 16 * i + 12), offsets[i]) << "entry " << i;
    const std::vector<uint8_t> written(bytes.begin() + offsets[i], bytes.begin() + offsets[i] + blocks[i].size());
    EXPECT_EQ(written, WithSizeImageCleared(blocks[i])) << "block " << i;
  }
}

struct EntryCase {
  const char* name;
  std::vector<uint8_t> block;
  std::array<uint8_t, 8> entry;  // width, height, colours, reserved, planes, bits per pixel
};

class IcoDirectoryEntry : public testing::TestWithParam<EntryCase> {};

TEST_P(IcoDirectoryEntry, DescribesTheImage) {
  const EntryCase& c = GetParam();
  const std::vector<uint8_t> bytes = SavedBytes(*SetOf({c.block}));
  ASSERT_EQ(bytes.size(), 22 + c.block.size());
  EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 6, bytes.begin() + 14),
            std::vector<uint8_t>(c.entry.begin(), c.entry.end()));
  EXPECT_EQ(U32At(bytes, 14), c.block.size());
  EXPECT_EQ(U32At(bytes, 18), 22u);
}

INSTANTIATE_TEST_SUITE_P(
    IcoWriter, IcoDirectoryEntry,
    testing::Values(EntryCase{"OneBit", MakeDibBlock(16, 16, 1), {16, 16, 2, 0, 1, 0, 1, 0}},
                    EntryCase{"FourBit", MakeDibBlock(32, 32, 4), {32, 32, 16, 0, 1, 0, 4, 0}},
                    EntryCase{"EightBit", MakeDibBlock(48, 48, 8), {48, 48, 0, 0, 1, 0, 8, 0}},
                    EntryCase{"TwentyFourBit", MakeDibBlock(24, 24, 24), {24, 24, 0, 0, 1, 0, 24, 0}},
                    EntryCase{"ThirtyTwoBit", MakeDibBlock(32, 32, 32), {32, 32, 0, 0, 1, 0, 32, 0}},
                    EntryCase{"TwoHundredFiftySixWideDib", MakeDibBlock(256, 256, 32), {0, 0, 0, 0, 1, 0, 32, 0}},
                    EntryCase{"Png256", MakePngBlock(256, 256), {0, 0, 0, 0, 1, 0, 32, 0}},
                    EntryCase{"Png48", MakePngBlock(48, 40), {48, 40, 0, 0, 1, 0, 32, 0}},
                    EntryCase{"Unknown", {9, 9, 9, 9, 9}, {0, 0, 0, 0, 0, 0, 0, 0}}),
    [](const testing::TestParamInfo<EntryCase>& info) { return std::string(info.param.name); });

TEST(IcoWriter, ClearsSizeImageInTheFileButNotInMemory) {
  const std::vector<uint8_t> block = MakeDibBlock(32, 32, 4);
  ASSERT_NE(U32At(block, 20), 0u);
  const IconImageSetPtr set = SetOf({block});
  const std::vector<uint8_t> bytes = SavedBytes(*set);
  ASSERT_EQ(bytes.size(), 22 + block.size());
  EXPECT_EQ(U32At(bytes, 22 + 20), 0u);
  EXPECT_EQ(std::vector<uint8_t>(set->images[0].block, set->images[0].block + block.size()), block);
}

TEST(IcoWriter, RoundTripsAFileClearingOnlySizeImage) {
  const std::vector<std::vector<uint8_t>> blocks = {MakeDibBlock(16, 16, 1, 0, 1), MakeDibBlock(32, 32, 8, 16, 2),
                                                    MakePngBlock(256, 256, 3), MakeDibBlock(48, 48, 32, 0, 4)};
  const TempPath source(".ico");
  const TempPath copy(".ico");
  ASSERT_TRUE(WriteBytes(source.str(), BuildIcoFile(blocks)));
  const IconFileIO io;
  const IconImageSetPtr set = io.LoadIcoFile(source.str());
  ASSERT_TRUE(set);
  ASSERT_TRUE(io.SaveIcoFile(*set, copy.str()));

  const IconImageSetPtr again = io.LoadIcoFile(copy.str());
  ASSERT_TRUE(again);
  ASSERT_EQ(again->imageCount, blocks.size());
  for (size_t i = 0; i < blocks.size(); ++i) {
    const std::vector<uint8_t> expected = WithSizeImageCleared(blocks[i]);
    const IconImage& image = again->images[i];
    EXPECT_EQ(std::vector<uint8_t>(image.block, image.block + image.blockSize), expected) << "image " << i;
  }
  // A well-formed directory goes through unchanged.
  const std::vector<uint8_t> original = ReadBytes(source.str());
  const std::vector<uint8_t> written = ReadBytes(copy.str());
  ASSERT_EQ(written.size(), original.size());
  EXPECT_TRUE(std::equal(original.begin(), original.begin() + 6 + 16 * 4, written.begin()));
}

TEST(IcoWriter, ReplacesAnExistingFile) {
  const TempPath file(".ico");
  ASSERT_TRUE(WriteBytes(file.str(), std::vector<uint8_t>(5000, 0xAB)));
  ASSERT_TRUE(IconFileIO().SaveIcoFile(*SetOf({}), file.str()));
  EXPECT_EQ(ReadBytes(file.str()), (std::vector<uint8_t>{0, 0, 1, 0, 0, 0}));
}

TEST(IcoWriter, FailsSilentlyIntoAMissingFolder) {
  const TempPath folder("");
  int messages = 0;
  const IconFileIO io([&](const std::string&, BmpMessage) { ++messages; });
  EXPECT_FALSE(io.SaveIcoFile(*SetOf({MakeDibBlock(16, 16, 4)}), folder.Inside("icon.ico")));
  EXPECT_FALSE(folder.Exists());
  EXPECT_EQ(messages, 0);
}

}  // namespace
