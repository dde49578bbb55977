#pragma once
// One icon read from a file and not yet in the collection: its pictures and
// where it came from. A worker makes these; the user-interface thread appends them.

#include <optional>
#include <string>

#include "collection/IconPictures.h"
#include "formats/ResourceName.h"

struct FoundIcon {
  IconPictures pictures;
  std::string path;
  // The icon group of a module; none for an .ico file.
  std::optional<ResourceName> group;
};
