#include "collection/IconPictures.h"

#include <algorithm>
#include <cstdint>
#include <new>
#include <vector>

#include "formats/ByteReader.h"
#include "formats/IconFileIO.h"
#include "formats/IconPixels.h"
#include "formats/ImagePick.h"

namespace {

const size_t kGroupHeaderBytes = 6;
const size_t kGroupEntryBytes = 14;

// The picture at side x side, resampled when the image has another size.
std::optional<RgbaImage> Fitted(const RgbaImage& pixels, int side) {
  const auto square = static_cast<uint32_t>(side);
  if (pixels.width != square || pixels.height != square) return ScaleRgba(pixels, square, square);
  return pixels;
}

// Both pictures, each from the first image of its side's order that decodes.
// Our own rule: the system's picker asks the display for its depth on every
// call, which costs more under Wine than making the picture.
std::optional<IconPictures> PicturesOf(const std::vector<ImageShape>& shapes, ImageDecoder& decoder,
                                       const PictureSides& sides) {
  const auto large = decoder.First(PickOrder(shapes, PickRule::AtLeast, static_cast<uint32_t>(sides.large)));
  const auto small = decoder.First(PickOrder(shapes, PickRule::AtLeast, static_cast<uint32_t>(sides.small)));
  if (!large || !small) return std::nullopt;
  auto largePicture = Fitted(*large->pixels, sides.large);
  auto smallPicture = Fitted(*small->pixels, sides.small);
  if (!largePicture || !smallPicture) return std::nullopt;
  return IconPictures{std::move(*largePicture), std::move(*smallPicture)};
}

std::optional<IconPictures> GroupPictures(const ModuleResources& module, const ResourceName& group,
                                          const PictureSides& sides) {
  const auto directory = module.Find(kResourceGroupIcon, group);
  if (!directory) return std::nullopt;
  const ByteReader reader(directory->data(), directory->size());
  const uint16_t count = reader.U16(4).value_or(0);
  // A count that runs past the directory's bytes marks it damaged.
  if (count == 0 || !reader.Has(kGroupHeaderBytes, uint64_t{count} * kGroupEntryBytes)) return std::nullopt;
  // Picked by the directory's entries, so that only the images picked are read.
  std::vector<ImageShape> shapes;
  std::vector<uint16_t> ids;
  for (uint16_t i = 0; i < count; ++i) {
    const size_t entry = kGroupHeaderBytes + i * kGroupEntryBytes;
    const uint8_t width = *reader.U8(entry);
    const uint8_t height = *reader.U8(entry + 1);
    const uint8_t colours = *reader.U8(entry + 2);
    const uint16_t bits = *reader.U16(entry + 6);
    // 0 stands for 256; a zero depth is told by the colour count.
    shapes.push_back({width ? width : 256u, height ? height : 256u,
                      bits ? bits : colours == 2 ? 1u : colours == 16 ? 4u : 8u});
    ids.push_back(*reader.U16(entry + 12));
  }
  ImageDecoder decoder(shapes.size(), [&](uint32_t i) -> std::optional<RgbaImage> {
    auto block = module.Find(kResourceIcon, ResourceName::Id(ids[i]));
    if (!block) return std::nullopt;
    return ImageToRgba(ImageOfBlock(std::make_shared<const std::vector<uint8_t>>(std::move(*block))));
  });
  return PicturesOf(shapes, decoder, sides);
}

std::optional<IconPictures> IcoFilePictures(const std::string& path, const PictureSides& sides) {
  const IconImageSetPtr set = IconFileIO().LoadIcoFile(path);
  if (!set) return std::nullopt;
  ImageDecoder decoder(*set);
  return PicturesOf(ShapesOf(*set), decoder, sides);
}

}  // namespace

std::optional<IconPictures> PicturesOfGroup(const ModuleResources& module, const ResourceName& group,
                                            const PictureSides& sides) {
  try {
    return GroupPictures(module, group, sides);
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
}

std::optional<IconPictures> PicturesOfIcoFile(const std::string& path, const PictureSides& sides) {
  try {
    return IcoFilePictures(path, sides);
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
}
