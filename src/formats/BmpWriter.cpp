#include "formats/Dib.h"
#include "formats/FileHandle.h"
#include "formats/IconFileIO.h"
#include "formats/IconPixels.h"

namespace {

constexpr uint32_t kFileHeaderBytes = 14;
constexpr uint32_t kInfoHeaderBytes = 40;
constexpr uint32_t kHeightOffset = 8;
constexpr uint32_t kAfterHeight = 12;

void PutU32(uint8_t* out, uint32_t value) {
  for (int i = 0; i < 4; ++i) out[i] = static_cast<uint8_t>(value >> (8 * i));
}

}  // namespace

void IconFileIO::Report(const std::string& path, BmpMessage message) const {
  if (m_sink) m_sink(path, message);
}

bool IconFileIO::SaveDibAsBmp(const std::string& path, const IconImage& image) const {
  if (image.kind != ImageKind::Dib) {
    Report(path, BmpMessage::CreateFailed);
    return false;
  }
  // Only what lies inside the block is ever written.
  const auto layout = ReadDibLayout(ByteReader(image.Data(), image.BlockSize()));
  if (!layout) {
    Report(path, BmpMessage::WriteFailed);
    return false;
  }

  const uint8_t* header = image.Data();
  const uint64_t bitmapEnd = layout->colourOffset + layout->colourRowBytes * layout->height;
  const uint64_t offBits = kFileHeaderBytes + layout->colourOffset;
  const uint64_t fileSize = kFileHeaderBytes + bitmapEnd;
  if (fileSize > UINT32_MAX) {
    Report(path, BmpMessage::WriteFailed);
    return false;
  }

  uint8_t fileHeader[kFileHeaderBytes] = {'B', 'M'};
  PutU32(fileHeader + 2, static_cast<uint32_t>(fileSize));
  PutU32(fileHeader + 10, static_cast<uint32_t>(offBits));
  uint8_t halfHeight[4];
  PutU32(halfHeight, layout->height);

  OutputFile file(path);
  if (!file.Create()) {
    Report(path, BmpMessage::CreateFailed);
    return false;
  }
  if (!file.Write(fileHeader, sizeof fileHeader)) {
    Report(path, BmpMessage::HeaderWriteFailed);
    return false;
  }
  // The info header with the image's own height (the icon stores colour and
  // mask heights together), then the colour table and the colour bitmap.
  if (!file.Write(header, kHeightOffset) || !file.Write(halfHeight, sizeof halfHeight) ||
      !file.Write(header + kAfterHeight, static_cast<size_t>(bitmapEnd - kAfterHeight)) || !file.Finish()) {
    Report(path, BmpMessage::WriteFailed);
    return false;
  }
  return true;
}

bool IconFileIO::SaveRgbaAsBmp(const std::string& path, const RgbaImage& image) const {
  const uint64_t pixelBytes = static_cast<uint64_t>(image.width) * image.height * 4;
  uint8_t headers[kFileHeaderBytes + kInfoHeaderBytes] = {'B', 'M'};
  PutU32(headers + 2, static_cast<uint32_t>(sizeof headers + pixelBytes));
  PutU32(headers + 10, sizeof headers);
  uint8_t* info = headers + kFileHeaderBytes;
  PutU32(info, kInfoHeaderBytes);
  PutU32(info + 4, image.width);
  PutU32(info + 8, image.height);
  info[12] = 1;   // planes
  info[14] = 32;  // bits per pixel, the fourth byte alpha
  PutU32(info + 20, static_cast<uint32_t>(pixelBytes));

  OutputFile file(path);
  if (!file.Create()) {
    Report(path, BmpMessage::CreateFailed);
    return false;
  }
  if (!file.Write(headers, kFileHeaderBytes)) {
    Report(path, BmpMessage::HeaderWriteFailed);
    return false;
  }
  // Bottom row first, each pixel blue, green, red, alpha.
  std::vector<uint8_t> row(static_cast<size_t>(image.width) * 4);
  bool written = file.Write(info, kInfoHeaderBytes);
  for (uint32_t y = image.height; written && y-- > 0;) {
    const uint8_t* rgba = image.pixels.data() + static_cast<size_t>(y) * row.size();
    for (size_t x = 0; x < row.size(); x += 4) {
      row[x] = rgba[x + 2];
      row[x + 1] = rgba[x + 1];
      row[x + 2] = rgba[x];
      row[x + 3] = rgba[x + 3];
    }
    written = file.Write(row.data(), row.size());
  }
  if (!written || !file.Finish()) {
    Report(path, BmpMessage::WriteFailed);
    return false;
  }
  return true;
}

bool IconFileIO::SaveImageAsBmp(const std::string& path, const IconImageSet& set) const {
  for (const IconImage& image : set.images) {
    if (image.kind == ImageKind::Dib) return SaveDibAsBmp(path, image);
  }
  // An icon of PNG images only still has a picture: its first that decodes.
  for (const IconImage& image : set.images) {
    if (image.kind != ImageKind::Png) continue;
    if (const auto pixels = DecodePng(image.Data(), image.BlockSize())) return SaveRgbaAsBmp(path, *pixels);
  }
  Report(path, BmpMessage::CreateFailed);
  return false;
}
