#pragma once
// The seven type switches of the filter, in the order of the "Filter"
// settings: the settings, the collection's flags and Add File's filter text
// read this table; which extensions each switch takes is formats/FileTypes.h.

#include <windows.h>

#include <array>

#include "formats/FileTypes.h"

class CIconCollection;

struct FilterSwitch {
  const char* settingKey;  // key in the "Filter" section
  const char* filterName;  // Add File's name for the switch's files
  BOOL CIconCollection::*switchedOn;
};

extern const std::array<FilterSwitch, kTypeSwitchCount> kFilterSwitches;

// Which switches are on, in the table's order.
using TypeSwitches = std::array<bool, kTypeSwitchCount>;

inline const FilterSwitch& SwitchOf(const FileType& type) {
  return kFilterSwitches[static_cast<size_t>(type.switchedBy)];
}
