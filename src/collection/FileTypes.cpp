#include "collection/FileTypes.h"

#include "collection/IconCollection.h"

const std::array<FilterSwitch, kTypeSwitchCount> kFilterSwitches = {{
    {"Exe", "Exe Files", &CIconCollection::m_filterExe},
    {"Dll", "Dll Files", &CIconCollection::m_filterDll},
    {"Ico", "Icon Files", &CIconCollection::m_filterIco},
    {"Icl", "Icl Files", &CIconCollection::m_filterIcl},
    {"Cpl", "Cpl Files", &CIconCollection::m_filterCpl},
    {"Ocx", "Ocx Files", &CIconCollection::m_filterOcx},
    {"Scr", "Scr Files", &CIconCollection::m_filterScr},
}};
