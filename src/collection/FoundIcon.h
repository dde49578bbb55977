#pragma once
// One icon found in a file and not yet in the collection: where it came from.
// A worker finds these; the user-interface thread appends them.

#include <optional>
#include <string>

#include "formats/ResourceName.h"

struct FoundIcon {
  std::string path;
  // The icon group of a module; none for an .ico file.
  std::optional<ResourceName> group;
};
