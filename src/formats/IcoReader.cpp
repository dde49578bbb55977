#include <algorithm>
#include <cstring>
#include <memory>
#include <tuple>
#include <new>
#include <vector>

#include "formats/ByteReader.h"
#include "formats/Dib.h"
#include "formats/FileHandle.h"
#include "formats/IconFileIO.h"
#include "formats/PngFormat.h"

namespace {

constexpr uint32_t kDibHeaderBytes = 40;
constexpr uint32_t kIcoHeaderBytes = 6;
constexpr uint32_t kIcoEntryBytes = 16;

void CopyPathField(char (&field)[kMaxPathChars], const std::string& path) {
  const size_t length = path.size() < kMaxPathChars - 1 ? path.size() : kMaxPathChars - 1;
  std::memcpy(field, path.data(), length);
  field[length] = '\0';
}

uint32_t PngChannels(uint8_t colourType) {
  switch (colourType) {
    case 0: return 1;  // grey
    case 2: return 3;  // RGB
    case 3: return 1;  // palette index
    case 4: return 2;  // grey and alpha
    case 6: return 4;  // RGBA
    default: return 0;
  }
}

void BindPng(IconImage& image, const ByteReader& bytes) {
  image.kind = ImageKind::Png;
  // IHDR is the first chunk: width, height, bit depth, colour type.
  const auto width = bytes.U32BigEndian(16);
  const auto height = bytes.U32BigEndian(20);
  const auto depth = bytes.U8(24);
  const auto colourType = bytes.U8(25);
  if (width) image.width = *width;
  if (height) image.height = *height;
  if (depth && colourType) image.colorBits = *depth * PngChannels(*colourType);
}

void BindDib(IconImage& image) {
  const uint8_t* header = image.block;
  image.kind = ImageKind::Dib;
  image.info = header;
  const int32_t width = DibWidth(header);
  const int32_t height = DibHeight(header) / 2;
  image.width = static_cast<uint32_t>(width);
  image.height = static_cast<uint32_t>(height);
  image.colorBits = static_cast<uint32_t>(DibBitCount(header)) * DibPlanes(header);
  if (width <= 0 || height <= 0) return;

  // All in 64 bits: a hostile header must not wrap an offset back into the block.
  const uint64_t size = image.blockSize;
  const uint64_t bitsOffset = static_cast<uint64_t>(DibHeaderSize(header)) + DibPaletteSize(header);
  const int64_t rowBytes = DibRowBytes(header);
  if (rowBytes <= 0 || static_cast<uint64_t>(rowBytes) > size) return;
  const uint64_t colourBytes = static_cast<uint64_t>(rowBytes) * static_cast<uint64_t>(height);
  if (bitsOffset > size || colourBytes > size - bitsOffset) return;
  image.xorBits = header + bitsOffset;

  const uint64_t maskOffset = bitsOffset + colourBytes;
  const uint64_t maskBytes = (static_cast<uint64_t>(width) + 31) / 32 * 4 * static_cast<uint64_t>(height);
  if (maskBytes > size - maskOffset) return;
  image.andMask = header + maskOffset;
}

}  // namespace

bool IconFileIO::BindImagePointers(IconImage* image) {
  if (!image) return false;
  image->width = image->height = image->colorBits = 0;
  image->kind = ImageKind::Unknown;
  image->info = image->xorBits = image->andMask = nullptr;
  if (!image->block) return true;

  const ByteReader bytes(image->block, image->blockSize);
  if (bytes.Has(0, sizeof kPngSignature) && std::memcmp(image->block, kPngSignature, sizeof kPngSignature) == 0) {
    BindPng(*image, bytes);
  } else if (bytes.Has(0, kDibHeaderBytes) && *bytes.U32(0) >= kDibHeaderBytes) {
    BindDib(*image);
  }
  return true;
}

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
  std::unique_ptr<Entry[]> byRange(new (std::nothrow) Entry[count > 0 ? count : 1]);
  if (!byRange) return nullptr;
  for (int32_t i = 0; i < count; ++i) {
    byRange[i] = {*entries.U32(i * kIcoEntryBytes + 8), *entries.U32(i * kIcoEntryBytes + 12), i};
    if (byRange[i].offset > fileSize || byRange[i].size > fileSize - byRange[i].offset) return nullptr;
  }
  // Entries naming the same bytes share one copy, the first entry's. Distinct
  // blocks together may not claim more than the file holds, so overlapping
  // entries cannot multiply the memory taken.
  std::sort(byRange.get(), byRange.get() + count, [](const Entry& a, const Entry& b) {
    return std::tie(a.offset, a.size, a.index) < std::tie(b.offset, b.size, b.index);
  });
  uint64_t distinctBytes = 0;
  for (int32_t i = 0; i < count; ++i) {
    if (i == 0 || byRange[i].offset != byRange[i - 1].offset || byRange[i].size != byRange[i - 1].size)
      distinctBytes += byRange[i].size;
  }
  if (distinctBytes > fileSize) return nullptr;

  IconImageSetPtr set(NewIconImageSet(static_cast<uint32_t>(count)));
  if (!set) return nullptr;
  CopyPathField(set->icoPath, path);

  for (int32_t i = 0; i < count; ++i) {
    const Entry& entry = byRange[i];
    IconImage& image = set->images[entry.index];
    image.blockSize = entry.size;
    if (i > 0 && entry.offset == byRange[i - 1].offset && entry.size == byRange[i - 1].size) {
      image.block = set->images[byRange[i - 1].index].block;
      image.sharesBlock = true;
    } else {
      image.block = new (std::nothrow) uint8_t[entry.size];
      if (!image.block) return nullptr;
      if (std::fseek(file.get(), static_cast<long>(entry.offset), SEEK_SET) != 0) return nullptr;
      if (entry.size != 0 && std::fread(image.block, 1, entry.size, file.get()) != entry.size) return nullptr;
    }
    BindImagePointers(&image);
  }
  return set;
}
