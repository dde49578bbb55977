// Writing image sets as .ico files: layout, directory entries, round trips.

#include <array>

#include "FormatTestHelpers.h"
#include "support/IconBuilder.h"

namespace {

TEST(IcoWriter, WritesAnEntryDescribingEachImageAndTheBlocksAfterTheDirectoryClearingOnlySizeImage) {
  // width, height, colours, reserved, planes, bits per pixel
  const std::vector<std::pair<Bytes, std::array<uint8_t, 8>>> images = {
      {MakeDibBlock(16, 16, 1), {16, 16, 2, 0, 1, 0, 1, 0}},
      {MakeDibBlock(32, 32, 4), {32, 32, 16, 0, 1, 0, 4, 0}},
      {MakeDibBlock(48, 48, 8), {48, 48, 0, 0, 1, 0, 8, 0}},
      {MakeDibBlock(256, 256, 32), {0, 0, 0, 0, 1, 0, 32, 0}},
      {MakePngBlock(48, 40), {48, 40, 0, 0, 1, 0, 32, 0}},
      {MakePngBlock(256, 256), {0, 0, 0, 0, 1, 0, 32, 0}},
      {{9, 9, 9, 9, 9}, {0, 0, 0, 0, 0, 0, 0, 0}}};
  std::vector<Bytes> blocks, written;
  for (const auto& image : images) blocks.push_back(image.first), written.push_back(WithSizeImageCleared(image.first));
  ASSERT_NE(written[1], blocks[1]);
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
  ExpectBlocks(IconFileIO().LoadIcoFile(file.path), written);
}

}  // namespace
