#include "collection/IconPictures.h"

#include <cstdint>
#include <algorithm>
#include <cstdlib>
#include <functional>
#include <tuple>
#include <vector>

#include "formats/ByteReader.h"
#include "formats/IconFileIO.h"
#include "formats/IconPixels.h"

namespace {

const size_t kGroupHeaderBytes = 6;
const size_t kGroupEntryBytes = 14;

// The system's picker reads as many entries as the count claims and is given no
// length, so the count is checked against the bytes first.
bool IsWholeGroup(const std::vector<uint8_t>& group) {
  const ByteReader reader(group.data(), group.size());
  const auto count = reader.U16(4);
  return count && *count > 0 && reader.Has(kGroupHeaderBytes, uint64_t{*count} * kGroupEntryBytes);
}

// The id of the group's image to show at side x side, or 0: one at least that
// large and nearest to it (shrinking looks better than growing), else the
// largest; of one size the most colour bits; of equals the first. Our own
// rule: the system's picker asks the display for its depth on every call,
// which costs more under Wine than making the picture.
uint16_t PickedImageId(const std::vector<uint8_t>& group, int side) {
  const ByteReader reader(group.data(), group.size());
  const uint16_t count = reader.U16(4).value_or(0);
  uint16_t picked = 0;
  std::tuple<bool, int, int> best{};
  for (uint16_t i = 0; i < count; ++i) {
    const size_t entry = kGroupHeaderBytes + i * kGroupEntryBytes;
    const auto width = reader.U8(entry);
    const auto height = reader.U8(entry + 1);
    const auto colours = reader.U8(entry + 2);
    const auto bits = reader.U16(entry + 6);
    const auto id = reader.U16(entry + 12);
    if (!width || !height || !colours || !bits || !id) break;
    // 0 stands for 256; a zero depth is told by the colour count.
    const int size = std::max(*width ? *width : 256, *height ? *height : 256);
    const int depth = *bits ? *bits : *colours == 2 ? 1 : *colours == 16 ? 4 : 8;
    // Smaller is better: too small, then distance, then fewer bits.
    const std::tuple<bool, int, int> rank{size < side, std::abs(size - side), -depth};
    if (picked == 0 || rank < best) {
      picked = *id;
      best = rank;
    }
  }
  return picked;
}

std::optional<RgbaImage> PictureOf(const uint8_t* block, size_t size, int side) {
  if (size > UINT32_MAX) return std::nullopt;
  IconImage image;
  image.block = const_cast<uint8_t*>(block);
  image.blockSize = static_cast<uint32_t>(size);
  if (!IconFileIO::BindImagePointers(&image)) return std::nullopt;
  auto pixels = ImageToRgba(image);
  if (!pixels) return std::nullopt;
  const auto square = static_cast<uint32_t>(side);
  if (pixels->width != square || pixels->height != square) return ScaleRgba(*pixels, square, square);
  return pixels;
}

// Both pictures, each from the image picked for its size; `image` gives the
// bytes of an image id of the directory.
std::optional<IconPictures> PicturesOf(const std::vector<uint8_t>& directory,
                                       const std::function<std::optional<std::vector<uint8_t>>(uint16_t)>& image) {
  if (!IsWholeGroup(directory)) return std::nullopt;
  std::optional<RgbaImage> sides[2];
  const int sizes[2] = {kLargeIconSize, kSmallIconSize};
  for (int i = 0; i < 2; ++i) {
    const uint16_t id = PickedImageId(directory, sizes[i]);
    const auto bytes = id ? image(id) : std::nullopt;
    if (!bytes || bytes->empty()) return std::nullopt;
    sides[i] = PictureOf(bytes->data(), bytes->size(), sizes[i]);
    if (!sides[i]) return std::nullopt;
  }
  return IconPictures{std::move(*sides[0]), std::move(*sides[1])};
}

void PutU16(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
  bytes[at] = static_cast<uint8_t>(value);
  bytes[at + 1] = static_cast<uint8_t>(value >> 8);
}

// An icon-group directory of the set's images, image i under id i + 1, so
// that the system's picker chooses among them as it does in a module.
std::vector<uint8_t> DirectoryOf(const IconImageSet& set) {
  std::vector<uint8_t> directory(kGroupHeaderBytes + set.imageCount * kGroupEntryBytes, 0);
  PutU16(directory, 2, 1);
  PutU16(directory, 4, set.imageCount);
  for (uint32_t i = 0; i < set.imageCount; ++i) {
    const IconImage& image = set.images[i];
    const size_t entry = kGroupHeaderBytes + i * kGroupEntryBytes;
    // 256 and more are stored as 0.
    directory[entry] = static_cast<uint8_t>(image.width);
    directory[entry + 1] = static_cast<uint8_t>(image.height);
    PutU16(directory, entry + 4, 1);
    PutU16(directory, entry + 6, image.colorBits);
    PutU16(directory, entry + 8, image.blockSize & 0xFFFF);
    PutU16(directory, entry + 10, image.blockSize >> 16);
    PutU16(directory, entry + 12, i + 1);
  }
  return directory;
}

}  // namespace

std::optional<IconPictures> PicturesOfGroup(const ModuleResources& module, const ResourceName& group) {
  const auto directory = module.Find(kResourceGroupIcon, group);
  if (!directory) return std::nullopt;
  return PicturesOf(*directory, [&module](uint16_t id) { return module.Find(kResourceIcon, ResourceName::Id(id)); });
}

std::optional<IconPictures> PicturesOfIcoFile(const std::string& path) {
  const IconImageSetPtr set = IconFileIO().LoadIcoFile(path);
  if (!set || set->imageCount == 0 || set->imageCount > 0xFFFF) return std::nullopt;
  return PicturesOf(DirectoryOf(*set), [&set](uint16_t id) -> std::optional<std::vector<uint8_t>> {
    if (id > set->imageCount) return std::nullopt;
    const IconImage& image = set->images[id - 1];
    return std::vector<uint8_t>(image.block, image.block + image.blockSize);
  });
}
