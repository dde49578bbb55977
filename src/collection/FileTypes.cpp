#include "collection/FileTypes.h"

const std::array<const char*, kTypeSwitchCount> kFilterNames = {
    {"Exe Files", "Dll Files", "Icon Files", "Icl Files", "Cpl Files", "Ocx Files", "Scr Files"}};
