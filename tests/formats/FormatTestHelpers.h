#pragma once
// Image sets, their checks and temporary paths for the format tests. Standard
// C++ only: these tests also run under Wine.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "formats/IconFileIO.h"
#include "support/IconBuilder.h"
#include "support/TempFolder.h"
#include "support/TestFiles.h"

// A file in a temporary folder of its own, removed with the folder.
struct TempPath : TempFolder {
  const std::string path = File("file");
};

inline IconImageSetPtr LoadBytes(const Bytes& bytes) {
  const TempPath file;
  return WriteBytes(file.path, bytes) ? IconFileIO().LoadIcoFile(file.path) : nullptr;
}

// A set holding the blocks as the reader gives them.
inline IconImageSetPtr SetOf(const std::vector<Bytes>& blocks) { return LoadBytes(BuildIcoFile(blocks)); }

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
