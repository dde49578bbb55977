#pragma once
// The seven kinds of file icons are taken from, in the order of the "Filter"
// settings: what the loader opens, the filter switches, Add File's filter
// text, the search and the save all read this one table.

#include <windows.h>

#include <array>
#include <string>

class CIconCollection;

struct FileType {
  const char* extension;   // lower case, without the dot
  const char* settingKey;  // key in the "Filter" section
  const char* filterEntry;  // Add File's entry, "Name (*.ext)|*.ext|"
  BOOL CIconCollection::*switchedOn;
  bool isModule;  // icon groups of a module, not an .ico file
};

constexpr size_t kFileTypeCount = 7;
extern const std::array<FileType, kFileTypeCount> kFileTypes;

// Which types are taken, in the table's order.
using TypeSwitches = std::array<bool, kFileTypeCount>;

// The type of a lowercase extension (no dot), or null.
const FileType* FindFileType(const std::string& extension);

// The extension after the last dot of the file name, lowercased, without the dot.
std::string LowercaseExtension(LPCSTR path);
