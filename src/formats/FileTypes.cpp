#include "formats/FileTypes.h"

const std::array<FileType, kFileTypeCount> kFileTypes = {{
    {"exe", true, TypeSwitch::Exe},
    {"dll", true, TypeSwitch::Dll},
    {"ico", false, TypeSwitch::Ico},
    {"icl", true, TypeSwitch::Icl},
    {"cpl", true, TypeSwitch::Cpl},
    {"ocx", true, TypeSwitch::Ocx},
    {"scr", true, TypeSwitch::Scr},
    // Current Windows keeps the icons of its system modules in these resource-only companions.
    {"mun", true, TypeSwitch::Dll},
}};

const FileType* FindFileType(const std::string& extension) {
  for (const FileType& type : kFileTypes)
    if (extension == type.extension) return &type;
  return nullptr;
}

std::string AsciiLowercase(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

std::string LowercaseExtension(const std::string& path) {
  const size_t nameStart = path.find_last_of("/\\:");
  const size_t dot = path.rfind('.');
  if (dot == std::string::npos || (nameStart != std::string::npos && dot < nameStart)) return std::string();
  return AsciiLowercase(path.substr(dot + 1));
}
