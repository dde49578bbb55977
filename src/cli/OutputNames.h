#pragma once
// Names of the files a command writes: never one that is already there.

#include <optional>
#include <string>

#include "formats/ResourceName.h"

// "<file name>-<group>" for a module's group, the file's name without its
// extension for an .ico file; characters no file name may hold become '_'.
std::string OutputBase(const std::string& inputPath, const std::optional<ResourceName>& group);

// folder/base + extension, or with "-1", "-2"... before the extension when
// that is taken. Nothing when no free name is found.
std::optional<std::string> FreeOutputPath(const std::string& folder, const std::string& base,
                                          const std::string& extension);
