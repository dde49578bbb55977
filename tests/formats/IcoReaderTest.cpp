// Reading .ico files into an image set, and refusing malformed ones.

#include <gtest/gtest.h>

#include "FormatTestHelpers.h"
#include "formats/IconFileIO.h"
#include "support/IconBuilder.h"

namespace {

IconImageSetPtr LoadBytes(const std::vector<uint8_t>& bytes) {
  const TempPath file(".ico");
  if (!WriteBytes(file.str(), bytes)) return nullptr;
  return IconFileIO().LoadIcoFile(file.str());
}

TEST(IcoReader, ReadsEveryBlockByteForByteInDirectoryOrder) {
  const std::vector<std::vector<uint8_t>> blocks = {MakeDibBlock(32, 32, 4, 0, 1), MakePngBlock(256, 256, 2),
                                                    MakeDibBlock(16, 16, 32, 0, 3)};
  const TempPath file(".ico");
  ASSERT_TRUE(WriteBytes(file.str(), BuildIcoFile(blocks)));

  const IconImageSetPtr set = IconFileIO().LoadIcoFile(file.str());
  ASSERT_TRUE(set);
  EXPECT_EQ(std::string(set->icoPath), file.str());
  EXPECT_EQ(std::string(set->modulePath), "");
  ASSERT_EQ(set->imageCount, 3u);
  for (size_t i = 0; i < blocks.size(); ++i) EXPECT_EQ(BlockOf(set->images[i]), blocks[i]) << "image " << i;
  EXPECT_EQ(set->images[0].kind, ImageKind::Dib);
  EXPECT_EQ(set->images[0].xorBits, set->images[0].block + 104);
  EXPECT_EQ(set->images[1].kind, ImageKind::Png);
  EXPECT_EQ(set->images[1].width, 256u);
  EXPECT_EQ(set->images[2].colorBits, 32u);
}

TEST(IcoReader, ReadsBlocksStoredOutOfOrderWithGaps) {
  const std::vector<uint8_t> first = MakeDibBlock(16, 16, 1, 0, 4);
  const std::vector<uint8_t> second = MakeDibBlock(16, 16, 8, 0, 5);
  std::vector<uint8_t> bytes = BuildIcoFile({first, second});
  // Move the first block behind the second, with a gap of 3 bytes.
  const uint32_t firstOffset = U32At(bytes, 6 + 12);
  bytes.insert(bytes.end(), 3, 0xEE);
  PutU32At(bytes, 6 + 12, static_cast<uint32_t>(bytes.size()));
  bytes.insert(bytes.end(), first.begin(), first.end());
  std::fill(bytes.begin() + firstOffset, bytes.begin() + firstOffset + first.size(), 0);

  const IconImageSetPtr set = LoadBytes(bytes);
  ASSERT_TRUE(set);
  EXPECT_EQ(BlockOf(set->images[0]), first);
  EXPECT_EQ(BlockOf(set->images[1]), second);
}

TEST(IcoReader, GivesEveryEntryOfOneSharedBlockItsBytes) {
  const std::vector<uint8_t> block = MakeDibBlock(32, 32, 4, 0, 6);
  std::vector<uint8_t> bytes = BuildIcoFile({block, block, block});
  const uint32_t shared = U32At(bytes, 6 + 12);
  for (const uint32_t entry : {1u, 2u}) PutU32At(bytes, 6 + 16 * entry + 12, shared);
  bytes.resize(shared + block.size());

  const IconImageSetPtr set = LoadBytes(bytes);
  ASSERT_TRUE(set);
  for (uint32_t i = 0; i < 3; ++i) EXPECT_EQ(BlockOf(set->images[i]), block) << "image " << i;
}

TEST(IcoReader, CountZeroGivesAnEmptySet) {
  const IconImageSetPtr set = LoadBytes(BuildIcoFile({}));
  ASSERT_TRUE(set);
  EXPECT_EQ(set->imageCount, 0u);
}

TEST(IcoReader, KeepsAnUnknownBlockAsStored) {
  const std::vector<uint8_t> odd = {1, 2, 3, 4, 5};
  const IconImageSetPtr set = LoadBytes(BuildIcoFile({odd}));
  ASSERT_TRUE(set);
  EXPECT_EQ(set->images[0].kind, ImageKind::Unknown);
  EXPECT_EQ(BlockOf(set->images[0]), odd);
}

TEST(IcoReader, RefusesAMissingFile) {
  const TempPath missing(".ico");
  EXPECT_EQ(IconFileIO().LoadIcoFile(missing.str()), nullptr);
}

struct MalformedIco {
  const char* name;
  void (*damage)(std::vector<uint8_t>& bytes);
};

class RefusesMalformedIco : public testing::TestWithParam<MalformedIco> {};

TEST_P(RefusesMalformedIco, ReturnsNull) {
  std::vector<uint8_t> bytes = BuildIcoFile({MakeDibBlock(32, 32, 4), MakeDibBlock(16, 16, 8)});
  GetParam().damage(bytes);
  EXPECT_EQ(LoadBytes(bytes), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    IcoReader, RefusesMalformedIco,
    testing::Values(
        MalformedIco{"ReservedNotZero", [](std::vector<uint8_t>& b) { b[0] = 1; }},
        MalformedIco{"CursorType", [](std::vector<uint8_t>& b) { b[2] = 2; }},
        MalformedIco{"ShortHeader", [](std::vector<uint8_t>& b) { b.resize(5); }},
        MalformedIco{"ShortDirectory", [](std::vector<uint8_t>& b) { b.resize(6 + 16 + 15); }},
        MalformedIco{"HugeCountInATinyFile",
                     [](std::vector<uint8_t>& b) {
                       b.resize(6);
                       b[4] = b[5] = 0xFF;
                     }},
        MalformedIco{"EntryPastEndOfFile", [](std::vector<uint8_t>& b) { b.resize(b.size() - 1); }},
        MalformedIco{"BlockSizePastEndOfFile", [](std::vector<uint8_t>& b) { PutU32At(b, 6 + 16 + 8, 0x7FFFFFFF); }},
        MalformedIco{"OffsetPastEndOfFile",
                     [](std::vector<uint8_t>& b) { PutU32At(b, 6 + 12, static_cast<uint32_t>(b.size())); }},
        MalformedIco{"OffsetPlusSizeWrapsAround",
                     [](std::vector<uint8_t>& b) {
                       PutU32At(b, 6 + 8, 0x20);
                       PutU32At(b, 6 + 12, 0xFFFFFFF0);
                     }},
        MalformedIco{"OverlappingBlocksClaimMoreThanTheFile",
                     [](std::vector<uint8_t>& b) {
                       PutU32At(b, 6 + 16 + 8, U32At(b, 6 + 16 + 12) + U32At(b, 6 + 16 + 8) - 22);
                       PutU32At(b, 6 + 16 + 12, 22);
                     }}),
    [](const testing::TestParamInfo<MalformedIco>& info) { return std::string(info.param.name); });

}  // namespace
