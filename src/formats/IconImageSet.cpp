#include "formats/IconImageSet.h"

#include <new>

IconImageSet* NewIconImageSet(uint32_t count) {
  auto* set = new (std::nothrow) IconImageSet;
  if (!set) return nullptr;
  if (count != 0) {
    set->images = new (std::nothrow) IconImage[count];
    if (!set->images) {
      delete set;
      return nullptr;
    }
  }
  set->imageCount = count;
  return set;
}

void ReleaseIconImageSet(IconImageSet* set) {
  if (!set) return;
  for (uint32_t i = 0; i < set->imageCount; ++i)
    if (!set->images[i].sharesBlock) delete[] set->images[i].block;
  delete[] set->images;
  delete set;
}
