#include "collection/IconPictures.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <tuple>
#include <vector>

#include "formats/ByteReader.h"
#include "formats/IconFileIO.h"
#include "formats/IconPixels.h"

namespace {

const size_t kGroupHeaderBytes = 6;
const size_t kGroupEntryBytes = 14;

// What the pick needs of one image.
struct Candidate {
  int size;   // the larger side
  int depth;  // colour bits
};

// The candidate to show at side x side, or -1: one at least that large and
// nearest to it (shrinking looks better than growing), else the largest; of
// one size the most colour bits; of equals the first. Our own rule: the
// system's picker asks the display for its depth on every call, which costs
// more under Wine than making the picture.
int Pick(const std::vector<Candidate>& candidates, int side) {
  int picked = -1;
  std::tuple<bool, int, int> best{};
  for (size_t i = 0; i < candidates.size(); ++i) {
    const Candidate& candidate = candidates[i];
    // Smaller is better: too small, then distance, then fewer bits.
    const std::tuple<bool, int, int> rank{candidate.size < side, std::abs(candidate.size - side), -candidate.depth};
    if (picked < 0 || rank < best) {
      picked = static_cast<int>(i);
      best = rank;
    }
  }
  return picked;
}

// The picture at side x side, resampled when the image has another size.
std::optional<RgbaImage> Fitted(std::optional<RgbaImage> pixels, int side) {
  const auto square = static_cast<uint32_t>(side);
  if (pixels && (pixels->width != square || pixels->height != square)) return ScaleRgba(*pixels, square, square);
  return pixels;
}

// Both pictures, each from the candidate picked for its size; `picture(i,
// side)` makes one from candidate i.
template <typename MakePicture>
std::optional<IconPictures> PicturesOf(const std::vector<Candidate>& candidates, const PictureSides& sides,
                                      MakePicture picture) {
  const int large = Pick(candidates, sides.large);
  const int small = Pick(candidates, sides.small);
  if (large < 0 || small < 0) return std::nullopt;
  auto largePicture = picture(large, sides.large);
  auto smallPicture = picture(small, sides.small);
  if (!largePicture || !smallPicture) return std::nullopt;
  return IconPictures{std::move(*largePicture), std::move(*smallPicture)};
}

}  // namespace

std::optional<IconPictures> PicturesOfGroup(const ModuleResources& module, const ResourceName& group,
                                            const PictureSides& sides) {
  const auto directory = module.Find(kResourceGroupIcon, group);
  if (!directory) return std::nullopt;
  const ByteReader reader(directory->data(), directory->size());
  const uint16_t count = reader.U16(4).value_or(0);
  // A count that runs past the directory's bytes marks it damaged.
  if (count == 0 || !reader.Has(kGroupHeaderBytes, uint64_t{count} * kGroupEntryBytes)) return std::nullopt;
  std::vector<Candidate> candidates;
  std::vector<uint16_t> ids;
  for (uint16_t i = 0; i < count; ++i) {
    const size_t entry = kGroupHeaderBytes + i * kGroupEntryBytes;
    const uint8_t width = *reader.U8(entry);
    const uint8_t height = *reader.U8(entry + 1);
    const uint8_t colours = *reader.U8(entry + 2);
    const uint16_t bits = *reader.U16(entry + 6);
    // 0 stands for 256; a zero depth is told by the colour count.
    candidates.push_back({std::max(width ? width : 256, height ? height : 256),
                          bits ? bits : colours == 2 ? 1 : colours == 16 ? 4 : 8});
    ids.push_back(*reader.U16(entry + 12));
  }
  return PicturesOf(candidates, sides, [&](int i, int side) -> std::optional<RgbaImage> {
    const auto block = module.Find(kResourceIcon, ResourceName::Id(ids[static_cast<size_t>(i)]));
    if (!block || block->empty() || block->size() > UINT32_MAX) return std::nullopt;
    IconImage image;
    image.block = const_cast<uint8_t*>(block->data());
    image.blockSize = static_cast<uint32_t>(block->size());
    IconFileIO::BindImagePointers(&image);
    return Fitted(ImageToRgba(image), side);
  });
}

std::optional<IconPictures> PicturesOfIcoFile(const std::string& path, const PictureSides& sides) {
  const IconImageSetPtr set = IconFileIO().LoadIcoFile(path);
  if (!set) return std::nullopt;
  std::vector<Candidate> candidates;
  for (uint32_t i = 0; i < set->imageCount; ++i)
    candidates.push_back({static_cast<int>(std::min<uint32_t>(std::max(set->images[i].width, set->images[i].height), INT32_MAX)),
                          static_cast<int>(std::min<uint32_t>(set->images[i].colorBits, INT32_MAX))});
  return PicturesOf(candidates, sides, [&](int i, int side) { return Fitted(ImageToRgba(set->images[i]), side); });
}
