#pragma once
// Which image of an icon a command takes, by size: an image's size is its
// larger side. Images of no kind we can convert are never taken.

#include "formats/IconImageSet.h"

// Nearest `size`; ties go to the larger image, then to more colour bits, then
// to the first. With notLarger, only images no larger than `size` count.
// -1 when none counts.
int NearestImageIndex(const IconImageSet& set, uint32_t size, bool notLarger);

// Fewest pixels; ties go to more colour bits, then to the first. -1 when none.
int SmallestImageIndex(const IconImageSet& set);
