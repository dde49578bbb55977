#include <cstdio>
#include <new>

#include "formats/ByteReader.h"
#include "formats/FileHandle.h"
#include "formats/IconFileIO.h"

namespace {

constexpr uint32_t kIcoHeaderBytes = 6;
constexpr uint32_t kIcoEntryBytes = 16;
// biSizeImage, bytes 20 to 23 of a DIB header, is written as 0.
constexpr uint32_t kSizeImageOffset = 20;
constexpr uint32_t kSizeImageBytes = 4;

void PutU16(uint8_t* out, uint32_t value) {
  out[0] = static_cast<uint8_t>(value);
  out[1] = static_cast<uint8_t>(value >> 8);
}

void PutU32(uint8_t* out, uint32_t value) {
  PutU16(out, value);
  PutU16(out + 2, value >> 16);
}

void FillDirectoryEntry(const IconImage& image, uint32_t offset, uint8_t (&entry)[kIcoEntryBytes]) {
  for (uint8_t& byte : entry) byte = 0;
  switch (image.kind) {
    case ImageKind::Dib: {
      // A DIB image's block holds its 40-byte header.
      const ByteReader header(image.Data(), image.BlockSize());
      const uint16_t planes = header.U16(12).value_or(0);
      const uint16_t bitCount = header.U16(14).value_or(0);
      const uint32_t bitsPerPixel = static_cast<uint32_t>(planes) * bitCount;
      entry[0] = static_cast<uint8_t>(image.width);
      entry[1] = static_cast<uint8_t>(image.height);
      entry[2] = bitsPerPixel < 8 ? static_cast<uint8_t>(1u << bitsPerPixel) : 0;
      PutU16(entry + 4, planes);
      PutU16(entry + 6, bitCount);
      break;
    }
    case ImageKind::Png:
      entry[0] = static_cast<uint8_t>(image.width);
      entry[1] = static_cast<uint8_t>(image.height);
      PutU16(entry + 4, 1);
      PutU16(entry + 6, image.colorBits);
      break;
    case ImageKind::Unknown: break;
  }
  // A header that cannot be read gives no size; 0 would read as 256.
  if (image.width == 0 || image.height == 0) {
    entry[0] = static_cast<uint8_t>(image.listed.width);  // 256 is written as 0
    entry[1] = static_cast<uint8_t>(image.listed.height);
  }
  PutU32(entry + 8, image.BlockSize());
  PutU32(entry + 12, offset);
}

void Append(std::vector<uint8_t>& out, const uint8_t* data, size_t length) { out.insert(out.end(), data, data + length); }

// The block as stored, but with biSizeImage 0 for a DIB; the set itself is not touched.
void AppendBlock(std::vector<uint8_t>& out, const IconImage& image) {
  const uint8_t* block = image.Data();
  const size_t start = out.size();
  Append(out, block, image.BlockSize());
  if (image.kind != ImageKind::Dib || image.BlockSize() < kSizeImageOffset + kSizeImageBytes) return;
  for (uint32_t i = 0; i < kSizeImageBytes; ++i) out[start + kSizeImageOffset + i] = 0;
}

}  // namespace

uint32_t IconFileIO::IcoImageOffset(const IconImageSet& set, uint32_t index) {
  const uint32_t count = static_cast<uint32_t>(set.images.size());
  uint32_t offset = kIcoHeaderBytes + kIcoEntryBytes * count;
  for (uint32_t i = 0; i < index && i < count; ++i) offset += set.images[i].BlockSize();
  return offset;
}

std::optional<std::vector<uint8_t>> IconFileIO::IcoBytes(const IconImageSet& set) {
  try {
    const uint32_t count = static_cast<uint32_t>(set.images.size());
    std::vector<uint8_t> out(kIcoHeaderBytes);
    PutU16(&out[2], 1);
    PutU16(&out[4], count);
    uint32_t offset = IcoImageOffset(set, 0);
    for (const IconImage& image : set.images) {
      uint8_t entry[kIcoEntryBytes];
      FillDirectoryEntry(image, offset, entry);
      Append(out, entry, sizeof entry);
      offset += image.BlockSize();
    }
    for (const IconImage& image : set.images) AppendBlock(out, image);
    return out;
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
}

bool IconFileIO::SaveIcoFile(const IconImageSet& set, const std::string& path) const {
  const auto bytes = IcoBytes(set);
  if (!bytes) {
    errno = ENOMEM;
    return false;
  }
  OutputFile file(path);
  if (!file.Create()) return false;
  // One block, handed to the system in one write rather than copied through
  // the stream's buffer in pieces.
  std::setvbuf(file.Get(), nullptr, _IONBF, 0);
  return file.Write(bytes->data(), bytes->size()) && file.Finish();
}
