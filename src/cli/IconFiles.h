#pragma once
// The icons of one input file, read as its extension says: every icon group
// of a module, or an .ico file as one icon.

#include <optional>
#include <string>
#include <vector>

#include "formats/IconImageSet.h"
#include "formats/ResourceName.h"

struct IconGroup {
  std::optional<ResourceName> name;  // none for an .ico file
  IconImageSetPtr set;
};

struct FileIcons {
  std::vector<IconGroup> groups;  // in the module's enumeration order
  std::string error;              // why the file, or one of its groups, was refused; empty when all was read
};

FileIcons ReadIcons(const std::string& path, bool firstGroupOnly = false);

// A group's name as text: a numeric id in decimal, a text name as it is.
std::string GroupName(const ResourceName& name);
// "icon group NAME", or "icon" for an .ico file.
std::string GroupLabel(const std::optional<ResourceName>& name);
