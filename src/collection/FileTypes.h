#pragma once
// What the collection adds to the file-type table (formats/FileTypes.h): Add
// File's name for each type switch's files, and which switches are on.

#include <array>

#include "formats/FileTypes.h"

// In the order of the type switches.
extern const std::array<const char*, kTypeSwitchCount> kFilterNames;

// Which switches are on, in the table's order.
using TypeSwitches = std::array<bool, kTypeSwitchCount>;
