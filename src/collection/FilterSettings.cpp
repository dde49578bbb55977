#include "collection/FilterSettings.h"

#include "base/Settings.h"

void ReadFilterSettings(const CConfigFile& config, CIconCollection& icons) {
  icons.SetSwitches(ReadSettings(config).filter);
}
