#pragma once
// Image sets, their checks and temporary paths for the format tests. Standard
// C++ only: these tests also run under Wine.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "formats/IconFileIO.h"
#include "formats/IconFileReader.h"
#include "support/IconBuilder.h"
#include "support/TempFolder.h"
#include "support/TestFiles.h"

// A file in a temporary folder of its own, removed with the folder.
struct TempPath : TempFolder {
  const std::string path = File("file");
};

inline IconImage Bound(const Bytes& block) { return ImageOfBlock(std::make_shared<const Bytes>(block)); }

// The file's first group as the one reading gives it; null when it gives none.
inline IconImageSetPtr LoadBytes(const Bytes& bytes) {
  const TempPath file;
  if (!WriteBytes(file.path, bytes)) return nullptr;
  IconFileRead read = ReadIconFile(file.path, std::string(), 1);
  return read.groups.empty() ? nullptr : std::move(read.groups.front().set);
}

// A set holding the blocks as the reader gives them; never null, so that a
// reader fault fails the writers' tests instead of ending the program.
inline IconImageSetPtr SetOf(const std::vector<Bytes>& blocks) {
  if (blocks.empty()) return std::make_unique<IconImageSet>();  // an icon file without images holds no icon
  IconImageSetPtr set = LoadBytes(BuildIcoFile(blocks));
  if (set) return set;
  ADD_FAILURE() << "the reader refused the blocks";
  return std::make_unique<IconImageSet>();
}

// The set holds exactly these blocks; a module may pad each to its length unit.
inline void ExpectBlocks(const IconImageSetPtr& set, const std::vector<Bytes>& blocks, size_t unit = 1) {
  ASSERT_TRUE(set);
  ASSERT_EQ(set->images.size(), blocks.size());
  for (size_t i = 0; i < blocks.size(); ++i) {
    const IconImage& image = set->images[i];
    ASSERT_EQ(image.BlockSize(), (blocks[i].size() + unit - 1) / unit * unit) << "image " << i;
    EXPECT_EQ(Bytes(image.Data(), image.Data() + blocks[i].size()), blocks[i]) << "image " << i;
  }
}
