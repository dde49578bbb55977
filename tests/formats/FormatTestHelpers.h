#pragma once
// Temporary paths, little-endian field access and image sets for the format
// tests. Standard C++ only: these tests also run under Wine.

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "formats/IconFileIO.h"

inline uint32_t U16At(const std::vector<uint8_t>& bytes, size_t at) {
  return static_cast<uint32_t>(bytes.at(at) | (bytes.at(at + 1) << 8));
}
inline uint32_t U32At(const std::vector<uint8_t>& bytes, size_t at) {
  return U16At(bytes, at) | (U16At(bytes, at + 2) << 16);
}
inline void PutU16At(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
  for (size_t i = 0; i < 2; ++i) bytes.at(at + i) = static_cast<uint8_t>(value >> (8 * i));
}
inline void PutU32At(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
  for (size_t i = 0; i < 4; ++i) bytes.at(at + i) = static_cast<uint8_t>(value >> (8 * i));
}

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

// A unique path in the temporary folder, removed (with anything written there)
// when the test is done.
class TempPath {
 public:
  explicit TempPath(const std::string& suffix) {
    static std::atomic<unsigned> counter{0};
    const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
    m_path = std::filesystem::temp_directory_path() /
             ("vantrel-test-" + std::to_string(ticks) + "-" + std::to_string(counter++) + suffix);
  }
  ~TempPath() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
  }
  TempPath(const TempPath&) = delete;
  TempPath& operator=(const TempPath&) = delete;

  std::string str() const { return m_path.string(); }
  bool Exists() const {
    std::error_code ignored;
    return std::filesystem::exists(m_path, ignored);
  }
  // A path inside this one, which does not exist as a folder.
  std::string Inside(const std::string& name) const { return (m_path / name).string(); }

 private:
  std::filesystem::path m_path;
};
