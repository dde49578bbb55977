#pragma once
// The file-type switches of the settings, for the collection to load by.

#include "base/ConfigFile.h"
#include "collection/IconCollection.h"

// Copies the switches from Config.ini into the collection's filter.
void ReadFilterSettings(const CConfigFile& config, CIconCollection& icons);
