#pragma once
// A file read through a few cached blocks: a module's headers and resource
// directories are many small reads close together, and each would otherwise
// cost a seek and a read of its own.

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "formats/ByteSource.h"
#include "formats/FileHandle.h"

class BlockFileSource final : public ByteSource {
 public:
  static std::unique_ptr<BlockFileSource> Open(const std::string& path);

  uint64_t Size() const override { return m_size; }
  bool ReadAt(uint64_t offset, void* out, size_t length) const override;

 private:
  struct Block {
    uint64_t index = UINT64_MAX;
    uint64_t lastUse = 0;
    std::vector<uint8_t> bytes;
  };

  BlockFileSource(FilePtr file, uint64_t size) : m_file(std::move(file)), m_size(size) {}
  bool ReadFromFile(uint64_t offset, void* out, size_t length) const;
  const Block* BlockAt(uint64_t index) const;

  FilePtr m_file;
  uint64_t m_size;
  mutable Block m_blocks[4];
  mutable uint64_t m_uses = 0;
};
