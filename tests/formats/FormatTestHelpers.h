#pragma once
// Temporary paths and image sets for the format tests. Standard C++ only:
// these tests also run under Wine.

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "formats/IconFileIO.h"
#include "support/TempFolder.h"
#include "support/TestFiles.h"

// A set holding copies of the blocks, bound as a reader binds them.
inline IconImageSetPtr SetOf(const std::vector<std::vector<uint8_t>>& blocks) {
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

inline std::vector<uint8_t> BlockOf(const IconImage& image) {
  return std::vector<uint8_t>(image.block, image.block + image.blockSize);
}

// A path in a fresh temporary folder, removed with the folder (and anything
// written there) when the test is done.
class TempPath {
 public:
  explicit TempPath(const std::string& suffix) : m_path(m_folder.File("file" + suffix)) {}
  const std::string& str() const { return m_path; }
  bool Exists() const {
    std::error_code ignored;
    return std::filesystem::exists(m_path, ignored);
  }
  // A path inside this one, which does not exist as a folder.
  std::string Inside(const std::string& name) const { return (std::filesystem::path(m_path) / name).string(); }

 private:
  TempFolder m_folder;
  std::string m_path;
};
