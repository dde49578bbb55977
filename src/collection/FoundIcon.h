#pragma once
// One icon read from a file and not yet in the collection: its picture and
// where it came from. A worker makes these; the user-interface thread appends them.

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <type_traits>

#include "formats/ResourceName.h"

struct IconDestroyer {
  void operator()(HICON icon) const { ::DestroyIcon(icon); }
};
using OwnedIcon = std::unique_ptr<std::remove_pointer_t<HICON>, IconDestroyer>;

struct FoundIcon {
  OwnedIcon icon;
  std::string path;
  // The icon group of a module; none for an .ico file.
  std::optional<ResourceName> group;
};
