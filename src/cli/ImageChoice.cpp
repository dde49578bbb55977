#include "cli/ImageChoice.h"

#include <algorithm>
#include <cstdint>

namespace {

uint32_t SizeOf(const IconImage& image) { return std::max(image.width, image.height); }

// Among the images that `counts` admits, the first that `better` puts above every other.
template <typename Admit, typename Better>
int BestIndex(const IconImageSet& set, Admit counts, Better better) {
  int best = -1;
  for (uint32_t i = 0; i < set.imageCount && i <= INT32_MAX; ++i) {
    const IconImage& image = set.images[i];
    if (image.kind == ImageKind::Unknown || !counts(image)) continue;
    if (best < 0 || better(image, set.images[best])) best = static_cast<int>(i);
  }
  return best;
}

}  // namespace

int NearestImageIndex(const IconImageSet& set, uint32_t size, bool notLarger) {
  const auto distance = [size](const IconImage& image) {
    return SizeOf(image) > size ? SizeOf(image) - size : size - SizeOf(image);
  };
  return BestIndex(
      set, [&](const IconImage& image) { return !notLarger || SizeOf(image) <= size; },
      [&](const IconImage& image, const IconImage& best) {
        if (distance(image) != distance(best)) return distance(image) < distance(best);
        if (SizeOf(image) != SizeOf(best)) return SizeOf(image) > SizeOf(best);
        return image.colorBits > best.colorBits;
      });
}

int SmallestImageIndex(const IconImageSet& set) {
  const auto pixels = [](const IconImage& image) { return static_cast<uint64_t>(image.width) * image.height; };
  return BestIndex(
      set, [](const IconImage&) { return true; },
      [&](const IconImage& image, const IconImage& best) {
        return pixels(image) < pixels(best) || (pixels(image) == pixels(best) && image.colorBits > best.colorBits);
      });
}
