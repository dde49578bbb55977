#include "collection/FilterSettings.h"

#include "collection/FileTypes.h"

void ReadFilterSettings(const CConfigFile& config, CIconCollection& icons) {
  for (const FilterSwitch& type : kFilterSwitches) icons.*type.switchedOn = config.GetBool("Filter", type.settingKey);
}
