#pragma once
// The text of the tooltip over a listed icon: its group's name or id (the
// file name for an .ico file), then every image of it, largest first, e.g.
// "256×256 PNG, 48×48 32-bit, 16×16 4-bit", and "unreadable" for an image
// that cannot be decoded. Read from the source when asked,
// so that listing icons costs nothing more.

#include <string>

#include "collection/IconSource.h"
#include "formats/IconImageSet.h"

// The images of a set, largest first (most pixels, then most colour bits).
std::string DescribeImages(const IconImageSet& set);
// Both lines for one source; the first alone when it cannot be read now.
std::string IconTipText(const IconSource& source);
