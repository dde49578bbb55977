#include "collection/FileTypes.h"

#include <cstdlib>

#include "collection/IconCollection.h"

const std::array<FileType, kFileTypeCount> kFileTypes = {{
    {"exe", "Exe", "Exe Files (*.exe)|*.exe|", &CIconCollection::m_filterExe, true},
    {"dll", "Dll", "Dll Files (*.dll)|*.dll|", &CIconCollection::m_filterDll, true},
    {"ico", "Ico", "Icon Files (*.ico)|*.ico|", &CIconCollection::m_filterIco, false},
    {"icl", "Icl", "Icl Files (*.icl)|*.icl|", &CIconCollection::m_filterIcl, true},
    {"cpl", "Cpl", "Cpl Files (*.cpl)|*.cpl|", &CIconCollection::m_filterCpl, true},
    {"ocx", "Ocx", "Ocx Files (*.ocx)|*.ocx|", &CIconCollection::m_filterOcx, true},
    {"scr", "Scr", "Scr Files (*.scr)|*.scr|", &CIconCollection::m_filterScr, true},
}};

const FileType* FindFileType(const std::string& extension) {
  for (const FileType& type : kFileTypes)
    if (extension == type.extension) return &type;
  return nullptr;
}

std::string LowercaseExtension(LPCSTR path) {
  char extension[_MAX_EXT] = {};
  _splitpath(path, nullptr, nullptr, nullptr, extension);
  CharLowerA(extension);
  return extension[0] == '.' ? std::string(extension + 1) : std::string();
}
