#pragma once
// Writes small PE32, PE32+ and NE modules holding exactly the resources a test needs.

#include <cstdint>
#include <functional>
#include <vector>

#include "formats/ResourceName.h"

struct BuiltResource {
  uint16_t type = 0;  // numeric type id, e.g. kResourceGroupIcon
  ResourceName name;  // a text name is written one UTF-16 unit per byte
  uint16_t language = 0x409;
  std::vector<uint8_t> data;
};

// Resources of one type and name with several languages are listed one after
// another; the first listed is the first in the language directory. A PE
// module's resources sit in its second section, after an uninitialised one.
std::vector<uint8_t> BuildPeModule(const std::vector<BuiltResource>& resources, bool pe32plus = false);
std::vector<uint8_t> BuildNeModule(const std::vector<BuiltResource>& resources, uint16_t alignShift = 4);

// A PE module of icon groups 1 to `groups` as programs carry them: 16x16 in
// 256 colours, 32x32 and 48x48 in true colour with alpha, group g's pixels
// from seed firstSeed + g; `more` adds an image of its own to each group.
std::vector<uint8_t> BuildProgramModule(int groups, int firstSeed,
                                        const std::function<std::vector<uint8_t>(uint8_t seed)>& more = {});

// Group 5 of ten images (17x17 to 26x26, 8 bits), its entry 4 naming icon 99,
// which the module lacks.
std::vector<BuiltResource> GroupWithAMissingImage();
// Group 1 of a 32x32 4-bit and a 256x256 32-bit image, the large one last in the file.
std::vector<uint8_t> TwoImagePe();
