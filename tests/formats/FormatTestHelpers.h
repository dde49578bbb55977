#pragma once
// Image sets, their checks and temporary paths for the format tests. Standard
// C++ only: these tests also run under Wine.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "formats/IconFileIO.h"
#include "support/TempFolder.h"
#include "support/TestFiles.h"

// A set holding copies of the blocks, bound as a reader binds them.
inline IconImageSetPtr SetOf(const std::vector<Bytes>& blocks) {
  IconImageSetPtr set(NewIconImageSet(static_cast<uint32_t>(blocks.size())));
  for (size_t i = 0; i < blocks.size(); ++i) {
    IconImage& image = set->images[i];
    image.block = new uint8_t[blocks[i].size()];
    std::copy(blocks[i].begin(), blocks[i].end(), image.block);
    image.blockSize = static_cast<uint32_t>(blocks[i].size());
    IconFileIO::BindImagePointers(&image);
  }
  return set;
}

// The set holds exactly these blocks; a module may pad each to its length unit.
inline void ExpectBlocks(const IconImageSetPtr& set, const std::vector<Bytes>& blocks, size_t unit = 1) {
  ASSERT_TRUE(set);
  ASSERT_EQ(set->imageCount, blocks.size());
  for (size_t i = 0; i < blocks.size(); ++i) {
    const IconImage& image = set->images[i];
    ASSERT_EQ(image.blockSize, (blocks[i].size() + unit - 1) / unit * unit) << "image " << i;
    EXPECT_EQ(Bytes(image.block, image.block + blocks[i].size()), blocks[i]) << "image " << i;
  }
}

// A file in a temporary folder of its own, removed with the folder.
struct TempPath : TempFolder {
  const std::string path = File("file");
};
