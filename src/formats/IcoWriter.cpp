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
    entry[0] = image.listedWidth;
    entry[1] = image.listedHeight;
  }
  PutU32(entry + 8, image.BlockSize());
  PutU32(entry + 12, offset);
}

// The block as stored, but with biSizeImage 0 for a DIB; the set itself is not touched.
bool WriteBlock(OutputFile& file, const IconImage& image) {
  const uint8_t* block = image.Data();
  if (image.kind != ImageKind::Dib) return file.Write(block, image.BlockSize());
  static const uint8_t zeros[kSizeImageBytes] = {};
  constexpr uint32_t afterSizeImage = kSizeImageOffset + kSizeImageBytes;
  return file.Write(block, kSizeImageOffset) && file.Write(zeros, kSizeImageBytes) &&
         file.Write(block + afterSizeImage, image.BlockSize() - afterSizeImage);
}

}  // namespace

bool IconFileIO::WriteIcoHeader(std::FILE* file, uint32_t count) {
  if (!file) return false;
  const uint32_t fields[3] = {0, 1, count};
  for (const uint32_t field : fields) {
    uint8_t bytes[2];
    PutU16(bytes, field);
    if (std::fwrite(bytes, 1, 2, file) != 2) return false;
  }
  return true;
}

uint32_t IconFileIO::IcoImageOffset(const IconImageSet& set, uint32_t index) {
  const uint32_t count = static_cast<uint32_t>(set.images.size());
  uint32_t offset = kIcoHeaderBytes + kIcoEntryBytes * count;
  for (uint32_t i = 0; i < index && i < count; ++i) offset += set.images[i].BlockSize();
  return offset;
}

bool IconFileIO::SaveIcoFile(const IconImageSet& set, const std::string& path) const {
  OutputFile file(path);
  if (!file.Create()) return false;
  if (!WriteIcoHeader(file.Get(), static_cast<uint32_t>(set.images.size()))) return false;

  uint32_t offset = IcoImageOffset(set, 0);
  for (const IconImage& image : set.images) {
    uint8_t entry[kIcoEntryBytes];
    FillDirectoryEntry(image, offset, entry);
    if (!file.Write(entry, sizeof entry)) return false;
    offset += image.BlockSize();
  }
  for (const IconImage& image : set.images) {
    if (!WriteBlock(file, image)) return false;
  }
  return file.Finish();
}
