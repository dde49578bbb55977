#pragma once
// The icons of one input file for the commands, through the core's one
// reading, and how its outcome is told.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "cli/Outcome.h"
#include "formats/IconFileReader.h"

// Read by content; a module without icons is read from its companion: in a
// System32 or SysWOW64 folder the sibling SystemResources, and on Windows
// also the system's own.
IconFileRead ReadIcons(const std::string& path, size_t maxGroups = SIZE_MAX);

// Names a file whose reading was not whole: its damage or why it gave
// nothing, and every image a group lost. A file without icons is refused only
// when `noIconRefused`.
void TellReading(const std::string& path, const IconFileRead& read, bool noIconRefused, Outcome& outcome);

// A group's name as text: a numeric id in decimal, a text name as it is.
std::string GroupName(const ResourceName& name);
// "icon group NAME", or "icon" for an .ico file.
std::string GroupLabel(const std::optional<ResourceName>& name);
