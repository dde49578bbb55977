#include "app/FilterSettings.h"

void ReadFilterSettings(const CConfigFile& config, CIconCollection& icons) {
  icons.m_filterExe = config.GetBool("Filter", "Exe");
  icons.m_filterDll = config.GetBool("Filter", "Dll");
  icons.m_filterIco = config.GetBool("Filter", "Ico");
  icons.m_filterIcl = config.GetBool("Filter", "Icl");
  icons.m_filterCpl = config.GetBool("Filter", "Cpl");
  icons.m_filterOcx = config.GetBool("Filter", "Ocx");
  icons.m_filterScr = config.GetBool("Filter", "Scr");
}
