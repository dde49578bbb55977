#include "formats/BlockFileSource.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace {
constexpr uint64_t kBlockBytes = 16 * 1024;
}  // namespace

std::unique_ptr<BlockFileSource> BlockFileSource::Open(const std::string& path) {
  FilePtr file = OpenForReading(path);
  if (!file || std::fseek(file.get(), 0, SEEK_END) != 0) return nullptr;
  const long end = std::ftell(file.get());
  if (end < 0) return nullptr;
  // Reads go through the blocks here, so the stream's own buffer would only copy them again.
  std::setvbuf(file.get(), nullptr, _IONBF, 0);
  return std::unique_ptr<BlockFileSource>(new BlockFileSource(std::move(file), static_cast<uint64_t>(end)));
}

bool BlockFileSource::ReadFromFile(uint64_t offset, void* out, size_t length) const {
  if (offset > static_cast<uint64_t>(LONG_MAX)) return false;
  return std::fseek(m_file.get(), static_cast<long>(offset), SEEK_SET) == 0 &&
         std::fread(out, 1, length, m_file.get()) == length;
}

const BlockFileSource::Block* BlockFileSource::BlockAt(uint64_t index) const {
  Block* oldest = &m_blocks[0];
  for (Block& block : m_blocks) {
    if (block.index == index) {
      block.lastUse = ++m_uses;
      return &block;
    }
    if (block.lastUse < oldest->lastUse) oldest = &block;
  }
  const uint64_t start = index * kBlockBytes;
  oldest->index = UINT64_MAX;
  oldest->bytes.resize(static_cast<size_t>(std::min(kBlockBytes, m_size - start)));
  if (!ReadFromFile(start, oldest->bytes.data(), oldest->bytes.size())) return nullptr;
  oldest->index = index;
  oldest->lastUse = ++m_uses;
  return oldest;
}

bool BlockFileSource::ReadAt(uint64_t offset, void* out, size_t length) const {
  if (!Has(offset, length)) return false;
  if (length == 0) return true;
  // A long read, an image for instance, is worth its own system read.
  if (length >= kBlockBytes) return ReadFromFile(offset, out, length);
  auto* to = static_cast<uint8_t*>(out);
  while (length != 0) {
    const Block* block = BlockAt(offset / kBlockBytes);
    if (!block) return false;
    const size_t within = static_cast<size_t>(offset % kBlockBytes);
    const size_t part = std::min(length, block->bytes.size() - within);
    std::memcpy(to, block->bytes.data() + within, part);
    to += part;
    offset += part;
    length -= part;
  }
  return true;
}
