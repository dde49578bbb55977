#pragma once
// The seven file-type switches of the "Filter" section, in their fixed order.

#include "base/ConfigFile.h"
#include "collection/IconCollection.h"

// Copies the switches from Config.ini into the collection's filter.
void ReadFilterSettings(const CConfigFile& config, CIconCollection& icons);
