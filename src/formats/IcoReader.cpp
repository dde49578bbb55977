#include <algorithm>
#include <memory>
#include <new>
#include <tuple>
#include <vector>

#include "formats/ByteReader.h"
#include "formats/FileHandle.h"
#include "formats/IconFileIO.h"

namespace {

constexpr uint32_t kIcoHeaderBytes = 6;
constexpr uint32_t kIcoEntryBytes = 16;

}  // namespace

int32_t IconFileIO::ReadIcoHeader(std::FILE* file) {
  if (!file) return -1;
  uint16_t fields[3];
  for (uint16_t& field : fields) {
    uint8_t bytes[2];
    if (std::fread(bytes, 1, 2, file) != 2) return -1;
    field = static_cast<uint16_t>(bytes[0] | (bytes[1] << 8));
  }
  if (fields[0] != 0 || fields[1] != 1) return -1;
  return fields[2];
}

IconImageSetPtr IconFileIO::LoadIcoFile(const std::string& path) const {
  try {
    return ReadIcoFile(path);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

IconImageSetPtr IconFileIO::ReadIcoFile(const std::string& path) {
  const FilePtr file = OpenForReading(path);
  if (!file) return nullptr;
  if (std::fseek(file.get(), 0, SEEK_END) != 0) return nullptr;
  const long end = std::ftell(file.get());
  if (end < 0 || std::fseek(file.get(), 0, SEEK_SET) != 0) return nullptr;
  const uint64_t fileSize = static_cast<uint64_t>(end);

  const int32_t count = ReadIcoHeader(file.get());
  if (count < 0) return nullptr;
  const uint64_t directoryBytes = static_cast<uint64_t>(count) * kIcoEntryBytes;
  if (directoryBytes > fileSize - kIcoHeaderBytes) return nullptr;

  std::vector<uint8_t> directory(directoryBytes);
  if (directoryBytes != 0 && std::fread(directory.data(), 1, directory.size(), file.get()) != directory.size())
    return nullptr;
  const ByteReader entries(directory.data(), directory.size());

  struct Entry {
    uint32_t size;
    uint32_t offset;
    int32_t index;
  };
  std::vector<Entry> byRange(static_cast<size_t>(count));
  for (int32_t i = 0; i < count; ++i) {
    byRange[i] = {*entries.U32(i * kIcoEntryBytes + 8), *entries.U32(i * kIcoEntryBytes + 12), i};
    if (byRange[i].offset > fileSize || byRange[i].size > fileSize - byRange[i].offset) return nullptr;
  }
  // Entries naming the same bytes share one copy, the first entry's. Distinct
  // blocks together may not claim more than the file holds, so overlapping
  // entries cannot multiply the memory taken.
  std::sort(byRange.begin(), byRange.end(), [](const Entry& a, const Entry& b) {
    return std::tie(a.offset, a.size, a.index) < std::tie(b.offset, b.size, b.index);
  });
  uint64_t distinctBytes = 0;
  for (int32_t i = 0; i < count; ++i) {
    if (i == 0 || byRange[i].offset != byRange[i - 1].offset || byRange[i].size != byRange[i - 1].size)
      distinctBytes += byRange[i].size;
  }
  if (distinctBytes > fileSize) return nullptr;

  auto set = std::make_unique<IconImageSet>();
  set->icoPath = path;
  set->images.resize(static_cast<size_t>(count));
  ImageBlock block;
  for (int32_t i = 0; i < count; ++i) {
    const Entry& entry = byRange[i];
    if (i == 0 || entry.offset != byRange[i - 1].offset || entry.size != byRange[i - 1].size) {
      std::vector<uint8_t> bytes(entry.size);
      if (std::fseek(file.get(), static_cast<long>(entry.offset), SEEK_SET) != 0) return nullptr;
      if (entry.size != 0 && std::fread(bytes.data(), 1, entry.size, file.get()) != entry.size) return nullptr;
      block = std::make_shared<const std::vector<uint8_t>>(std::move(bytes));
    }
    IconImage& image = set->images[entry.index] = ImageOfBlock(block);
    image.listedWidth = directory[entry.index * kIcoEntryBytes];
    image.listedHeight = directory[entry.index * kIcoEntryBytes + 1];
  }
  return set;
}
